#pragma once
// The runner's command line: switches start with '/', their names are read
// without regard to case, values follow '=' ("/VERSION=4"). Double quotes
// group blanks into one argument and are dropped wherever they stand, so
// "/PROGRAMDIR=C:\Program Files\Skal\" and /PROGRAMDIR="C:\Program Files\Skal"
// are the same; a backslash is an ordinary character (folders end with one).
#include <string>

#include "app/run_options.h"

// Longest path a switch may carry, in bytes: the ANSI path limit without its NUL.
constexpr size_t kSwitchPathLimit = 259;

// Fills `options` from the text after the program name. False for an unknown
// switch, a plain argument, a switch given twice, a missing or empty value, a
// /VERSION outside the versions the runner knows or a path over the limit;
// `fault` then holds every argument at fault as written, separated by blanks,
// and `options` what the other arguments set (a silent run stays silent).
bool ParseCommandLine(const std::string& text, RunOptions& options, std::string& fault);
