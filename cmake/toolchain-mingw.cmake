# Cross build of the Windows programs with mingw-w64. BRINDLO_MINGW_ARCH picks the
# target: i686 (the shipped 32-bit programs) or x86_64, which exists to run the tests
# under 64-bit Wine on machines that cannot execute 32-bit code.
if(NOT BRINDLO_MINGW_ARCH)
  set(BRINDLO_MINGW_ARCH "$ENV{BRINDLO_MINGW_ARCH}")
endif()
if(NOT BRINDLO_MINGW_ARCH MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "BRINDLO_MINGW_ARCH must be i686 or x86_64, not \"${BRINDLO_MINGW_ARCH}\"")
endif()
# try_compile projects read this file again without the cache.
set(ENV{BRINDLO_MINGW_ARCH} "${BRINDLO_MINGW_ARCH}")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRINDLO_MINGW_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${BRINDLO_MINGW_ARCH})

set(CMAKE_C_COMPILER ${BRINDLO_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRINDLO_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${BRINDLO_MINGW_ARCH}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRINDLO_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

if(BRINDLO_MINGW_ARCH STREQUAL "x86_64")
  # Debian's "wine" wrapper prefers the 32-bit loader whenever it is installed.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run_under_wine /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run_under_wine wine)
endif()
