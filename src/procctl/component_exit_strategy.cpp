#include "procctl/component_exit_strategy.h"

int ComponentExitStrategy::Stop() {
  if (!valid) return 0;
  if (directory_ == nullptr || directory_->IsRunning(record_.componentId) == 0) return -1;
  if (actions_.OpenProgram(record_.programPath, record_.stopParam) != 1) return 0;
  const uint32_t processId = directory_->ProcessIdOf(record_.componentId);
  const int result = actions_.WaitForProcessExit(processId) == 1 ? 1 : 0;
  if (result == 1) stopped = 1;
  return result;
}
