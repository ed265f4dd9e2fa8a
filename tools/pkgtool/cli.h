#pragma once
#include <ostream>
#include <string>
#include <vector>

// Runs pkgtool with its command-line arguments (program name excluded) and
// returns the exit status. No verb or an unknown verb prints the usage.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
