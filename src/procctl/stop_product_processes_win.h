#pragma once
// The commit's entry into process shutdown, before any file is replaced.
#include <string>

#include "procctl/process_stopper.h"

struct UpdateRun;

// Stops every component named in the comma-separated `callByList`, in list
// order, each finishing its waits before the next begins: the shell opens
// programs, processes are waited for up to 5 s, services are stopped through
// the service manager, and the run's IPC and resident-service clients find
// registered components. The strategies stay in run.stoppedProcesses until
// the program ends; nothing is restarted. Returns 1.
int StopProductProcesses(const std::string& callByList, UpdateRun& run, const ProcessLookup& lookup);
