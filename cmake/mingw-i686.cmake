# Cross build for 32-bit Windows with the -posix mingw-w64 compilers: tests,
# test programs, the product simulator and benchmarks. They carry std::thread
# and std::mutex, which GoogleTest needs, through winpthreads, whose imports
# (GetTickCount64, AddVectoredExceptionHandler, ...) only newer Windows has.
# The programs that ship in a package come from mingw-i686-win32.cmake.
set(CMAKE_C_COMPILER   i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(SKAL_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
