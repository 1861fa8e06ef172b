# Build directories configured before the one toolchain file still name this one.
set(BRINDLO_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
