# The three programs as they ship. A release build (BRINDLO_RELEASE, the win32 and
# win64 presets) links them with the sections nothing uses collected, strips them
# and keeps their debug information beside each in <program>.debug, named by a
# debug link, so that an address from a user's crash can still be read. The tests
# drive these very files. The debug presets leave everything in the programs.
option(BRINDLO_RELEASE "Link the shipped programs stripped, their debug information beside them" ON)
if(BRINDLO_RELEASE)
  # Every library is linked into the programs and the tests alike: compiled once.
  add_compile_options(-ffunction-sections -fdata-sections)
endif()

function(brindlo_shipped_program target)
  set_property(GLOBAL APPEND PROPERTY BRINDLO_SHIPPED_PROGRAMS ${target})
  if(NOT BRINDLO_RELEASE)
    return()
  endif()
  target_link_options(${target} PRIVATE -Wl,--gc-sections)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DOBJCOPY=${CMAKE_OBJCOPY} -DFILE=$<TARGET_FILE:${target}>
            -P ${CMAKE_SOURCE_DIR}/cmake/split_debug.cmake
    VERBATIM)
endfunction()
