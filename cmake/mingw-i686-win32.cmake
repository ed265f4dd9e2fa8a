# Cross build for 32-bit Windows with the -win32 mingw-w64 compilers, for the
# programs that ship in a package. Their runtime uses Win32 threading and does
# not link winpthreads, so the programs import only what Windows 95 (with
# msvcrt.dll), 98, Me and NT 4.0 export, and their loaders accept them.
set(CMAKE_C_COMPILER   i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(SKAL_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
