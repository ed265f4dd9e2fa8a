#pragma once
// Starts a program as a child process and waits for its end, for tests that
// drive another process's windows. A child still running when its
// ChildProcess object goes away is terminated, so a failed test leaves no
// window behind.
#include <windows.h>

#include <string>
#include <vector>

namespace automation {

// `arguments` quoted as the C runtime splits them back into argv.
std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments);

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // CreateProcessA of `commandLine` in `workingFolder` (empty: the caller's).
  bool Start(const std::string& commandLine, const std::string& workingFolder = "");
  DWORD Id() const { return id_; }

  // Waits up to `timeoutMs` for the end; true with its exit code once ended.
  bool Wait(DWORD timeoutMs, DWORD& exitCode);
  // Ends the process if it still runs and releases it.
  void Terminate();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace automation
