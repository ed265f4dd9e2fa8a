# The Windows build of the tests takes the shipped programs from a build of
# its own with the -win32 compilers (mingw-i686-win32.cmake, or its x86_64
# twin beside a 64-bit test build), in <build>/shipped, whose programs land in
# <build>/bin beside the test programs.
# The target shipped_programs builds them; SKAL_RUNNER is the runner's path,
# SKAL_SHIPPED_WIN32_PROGRAMS the three Win32 programs (the DOS mover aside).
include(ExternalProject)
set(SKAL_RUNNER ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/SkalUpd.exe)
set(SKAL_SHIPPED_WIN32_PROGRAMS ${SKAL_RUNNER}
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/CopyFile.EXE
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/UpdateSelf.DAT)
ExternalProject_Add(shipped_programs
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/shipped
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-${CMAKE_SYSTEM_PROCESSOR}-win32.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
             -DSKAL_SHIPPED_ONLY=ON
             -DSKAL_PROGRAMS_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${SKAL_SHIPPED_WIN32_PROGRAMS} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ZMTMove.EXE)
