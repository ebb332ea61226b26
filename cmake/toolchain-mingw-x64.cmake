set(ZQ_TRIPLE x86_64-w64-mingw32)
set(ZQ_ARCH x64)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
