#include "procctl/process_exit_win.h"

#include "platform/process_win.h"

namespace {
constexpr DWORD kExitWaitMs = 5000;
}

int WaitForProcessExit(uint32_t processId) {
  ProcessHandle process(PROCESS_ALL_ACCESS, processId);
  if (!process.IsOpen()) return GetLastError() == ERROR_INVALID_PARAMETER ? 1 : 0;
  const DWORD outcome = process.Wait(kExitWaitMs);
  return outcome == WAIT_TIMEOUT || outcome == WAIT_ABANDONED ? 0 : 1;
}
