# The programs that ship (the runner and the programs it carries), for the
# Windows build of the tests. The target shipped_programs builds them into
# <build>/bin beside the test programs; SKAL_RUNNER is the runner's path,
# SKAL_SHIPPED_WIN32_PROGRAMS the three Win32 programs (the DOS mover aside).
#
# The 32-bit build takes them from a build of its own with the -win32
# compilers (mingw-i686-win32.cmake) in <build>/shipped: they are what ships,
# and the -posix compilers' thread support imports what Windows 95 lacks.
# The 64-bit build (for machines that run no 32-bit programs) only runs them
# under Wine: it links them from this tree's own objects (SKAL_SHIPPED_IN_TREE)
# instead of compiling the sources a second time.
set(SKAL_RUNNER ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/SkalUpd.exe)
set(SKAL_SHIPPED_WIN32_PROGRAMS ${SKAL_RUNNER}
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/CopyFile.EXE
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/UpdateSelf.DAT)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
  set(SKAL_SHIPPED_IN_TREE ON)
  return()
endif()
include(ExternalProject)
ExternalProject_Add(shipped_programs
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/shipped
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686-win32.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
             -DSKAL_SHIPPED_ONLY=ON
             -DSKAL_PROGRAMS_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${SKAL_SHIPPED_WIN32_PROGRAMS} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ZMTMove.EXE)
