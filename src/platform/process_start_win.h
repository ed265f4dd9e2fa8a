#pragma once
// Starting a program without waiting for it.
#include <string>

// CreateProcessA of `program` with `commandLine` (which names the program
// first, as argv[0]): no inherited handles, default environment and current
// folder, a zeroed start-up record. The process and thread handles are closed
// at once. False when the program could not be started.
bool StartProgram(const std::string& program, const std::string& commandLine);
