#pragma once
// Thin RAII wrapper over a process handle, and the shell's "open".
#include <windows.h>

#include <string>

class ProcessHandle {
 public:
  // OpenProcess, handle not inherited; check IsOpen and GetLastError.
  ProcessHandle(DWORD access, DWORD processId);
  ~ProcessHandle();
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;

  bool IsOpen() const { return handle_ != nullptr; }
  // WaitForSingleObject on the process.
  DWORD Wait(DWORD milliseconds) const;

 private:
  HANDLE handle_ = nullptr;
};

// ShellExecuteA(no owner, "open", file, parameters, "", showCommand); true
// when the shell reports success (a value above 32).
bool ShellOpen(const std::string& file, const std::string& parameters, int showCommand);
