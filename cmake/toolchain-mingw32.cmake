# Build directories configured before the one toolchain file still name this one.
set(BRINDLO_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
