#pragma once
// The stop strategies' actions on the real system: the shell opens programs
// minimised, processes are waited for 5 s, services are stopped and started
// through the service control manager.
#include "procctl/stop_actions.h"

class SystemStopActions : public StopActions {
 public:
  int OpenProgram(const std::string& programPath, const std::string& parameter) override;
  int WaitForProcessExit(uint32_t processId) override;
  int StopNamedService(const std::string& name) override;
  int StartNamedService(const std::string& name) override;
};
