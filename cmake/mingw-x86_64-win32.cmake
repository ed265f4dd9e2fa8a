# The shipped programs built for 64-bit Windows, with the -win32 compilers, to
# run beside the 64-bit test build (mingw-x86_64.cmake). What ships stays the
# 32-bit build of mingw-i686-win32.cmake.
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(SKAL_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
