#pragma once
// The operating-system actions the stop strategies take. The system's
// implementation lives beside the service and process code; tests can record
// the actions instead.
#include <cstdint>
#include <string>

class StopActions {
 public:
  virtual ~StopActions() = default;
  // Opens the program minimised with the parameter text through the shell. 1 when started.
  virtual int OpenProgram(const std::string& programPath, const std::string& parameter) = 0;
  // 1 when the process has ended within the wait (or no longer exists), else 0.
  virtual int WaitForProcessExit(uint32_t processId) = 0;
  // 1 stopped, 0 failed, -1 no such service (or no service manager).
  virtual int StopNamedService(const std::string& name) = 0;
  // 1 running at the end, else 0.
  virtual int StartNamedService(const std::string& name) = 0;
};
