set(ZQ_TRIPLE i686-w64-mingw32)
set(ZQ_ARCH x86)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
