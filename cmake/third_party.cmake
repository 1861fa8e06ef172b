# libbz2 and libjpeg: cross-built by tools/setup for Windows, Debian's own natively.
if(BRINDLO_WINDOWS)
  # tools/setup writes the marker once both libraries of both targets are built.
  get_filename_component(brindlo_deps_marker "${BRINDLO_DEPS_DIR}/../complete" ABSOLUTE)
  if(NOT EXISTS "${brindlo_deps_marker}")
    message(FATAL_ERROR "the third-party cache beside ${BRINDLO_DEPS_DIR} was never completed: run tools/setup")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${brindlo_deps_marker}")
  file(STRINGS "${brindlo_deps_marker}" brindlo_deps_versions)
  list(JOIN brindlo_deps_versions ", " brindlo_deps_versions)
  message(STATUS "Third-party libraries: ${brindlo_deps_versions}")
  foreach(lib bz2 jpeg)
    if(NOT EXISTS "${BRINDLO_DEPS_DIR}/lib/lib${lib}.a")
      message(FATAL_ERROR "lib${lib}.a is missing in ${BRINDLO_DEPS_DIR}: run tools/setup")
    endif()
    add_library(brindlo_${lib} STATIC IMPORTED GLOBAL)
    set_target_properties(brindlo_${lib} PROPERTIES
      IMPORTED_LOCATION "${BRINDLO_DEPS_DIR}/lib/lib${lib}.a"
      INTERFACE_INCLUDE_DIRECTORIES "${BRINDLO_DEPS_DIR}/include")
  endforeach()
else()
  find_package(BZip2 REQUIRED)
  find_package(JPEG REQUIRED)
  add_library(brindlo_bz2 INTERFACE IMPORTED GLOBAL)
  target_link_libraries(brindlo_bz2 INTERFACE BZip2::BZip2)
  add_library(brindlo_jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(brindlo_jpeg INTERFACE JPEG::JPEG)
endif()

# GoogleTest from Debian's sources, built with whichever compiler this tree uses.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)

# A path as the programs under test see it: Wine maps the Linux root to Z:.
function(brindlo_host_path out path)
  if(BRINDLO_WINDOWS)
    string(REPLACE "/" "\\\\" p "${path}")
    set(${out} "Z:${p}" PARENT_SCOPE)
  else()
    set(${out} "${path}" PARENT_SCOPE)
  endif()
endfunction()
