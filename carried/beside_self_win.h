#pragma once
// Paths of the files the carried programs find beside themselves.
#include <windows.h>

// The full path of `name` in the folder of the running program, into a
// MAX_PATH buffer. False when it does not fit.
bool PathBesideSelf(const char* name, char (&path)[MAX_PATH]);
