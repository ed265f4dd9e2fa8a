#include "procctl/program_exit_strategy.h"

int ProgramExitStrategy::Restart() {
  if (!valid || !stopped) return 0;
  return actions_.OpenProgram(record_.programPath, record_.startParam) == 1 ? 1 : 0;
}

int ShellExitStrategy::Stop() {
  if (!valid) return 0;
  return actions_.OpenProgram(record_.programPath, record_.stopParam) == 1 ? 1 : 0;
}
