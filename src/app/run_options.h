#pragma once
// What the command line asks of a run. Without switches the run is the
// interactive one: every question goes to the person at the screen.
#include <cstdint>
#include <string>

struct RunOptions {
  bool silent = false;     // /S: no window, no message box; refuse what needs a person
  bool showUsage = false;  // /?: show the switches and end
  bool listOnly = false;   // /LIST: a dry run that reports what an update would replace, changing nothing
  int32_t version = 0;     // /VERSION=n: the installation under registry key V<n>.0; 0 none named
  std::string programDir;  // /PROGRAMDIR=path: the oldest edition's folder; empty none named
  std::string reportPath;  // /REPORT=path: where the report goes; empty beside the log
  std::string ignoredArguments;  // arguments not understood, which a run with windows logs and passes over
};
