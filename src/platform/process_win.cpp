#include "platform/process_win.h"

#include <shellapi.h>

ProcessHandle::ProcessHandle(DWORD access, DWORD processId) : handle_(OpenProcess(access, FALSE, processId)) {}

ProcessHandle::~ProcessHandle() {
  if (handle_ != nullptr) CloseHandle(handle_);
}

DWORD ProcessHandle::Wait(DWORD milliseconds) const { return WaitForSingleObject(handle_, milliseconds); }

bool ShellOpen(const std::string& file, const std::string& parameters, int showCommand) {
  const HINSTANCE result = ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), "", showCommand);
  return reinterpret_cast<INT_PTR>(result) > 32;
}
