# Cross build of the tests, test programs and simulator for 64-bit Windows,
# for machines whose kernel runs no 32-bit programs, where Wine can start only
# 64-bit ones. The same sources as mingw-i686.cmake; see docs/wine.md.
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(SKAL_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
