#include "procctl/system_stop_actions_win.h"

#include <windows.h>

#include "platform/process_win.h"
#include "procctl/process_exit_win.h"
#include "procctl/service_control_win.h"

int SystemStopActions::OpenProgram(const std::string& programPath, const std::string& parameter) {
  return ShellOpen(programPath, parameter, SW_MINIMIZE) ? 1 : 0;
}

int SystemStopActions::WaitForProcessExit(uint32_t processId) { return ::WaitForProcessExit(processId); }

int SystemStopActions::StopNamedService(const std::string& name) { return StopServiceByName(name); }

int SystemStopActions::StartNamedService(const std::string& name) { return StartServiceByName(name); }
