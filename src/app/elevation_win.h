#pragma once
// The Win32 side of the elevation decision (app/elevation.h).
#include <windows.h>

#include <string>

#include "app/elevation.h"

// The Windows family and version, and on NT 6 or later whether the process
// token is elevated and whether the user could elevate. The token queries are
// looked up in ADVAPI32 at run time; where they fail, the run counts as
// elevated and goes on as it would on an older system.
ElevationState QueryElevationState(bool silent);

// Starts this program again with `arguments` through ShellExecuteExA's
// "runas" verb (the elevation prompt), waits for it to end and gives its exit
// code. False when the user declined or it could not be started.
bool RelaunchElevated(const std::string& arguments, DWORD& exitCode);
