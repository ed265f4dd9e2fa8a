/* The example package's ZMT32.EXE: a program that does nothing, made for its
   version resource. */
#include <windows.h>

void WINAPI Start(void) { ExitProcess(0); }
