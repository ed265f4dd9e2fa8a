#include "procctl/process_stopper.h"

#include <new>

#include "procctl/component_exit_strategy.h"
#include "procctl/program_exit_strategy.h"
#include "procctl/service_exit_strategy.h"

int ProcessStopper::StopProductProcesses(const std::string& callByList) {
  size_t start = 0;
  while (start < callByList.size()) {
    const size_t comma = callByList.find(',', start);
    if (comma == std::string::npos) {
      StopProductProcess(callByList.substr(start));
      break;
    }
    StopProductProcess(callByList.substr(start, comma - start));
    start = comma + 1;
  }
  return 1;
}

int ProcessStopper::StopProductProcess(const std::string& name) {
  ExitStrategy* strategy = nullptr;
  try {
    ProcessStopRecord record;
    int32_t exitType = -1;
    if (!lookup_ || !lookup_(name, record, exitType)) return 0;
    std::unique_ptr<ExitStrategy> made = MakeStrategy(name, record, exitType);
    if (!made) return 0;
    strategy = made.get();
    // A strategy the list cannot keep is freed by PushFront and never runs.
    if (!stopped_.PushFront(std::move(made))) return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return strategy->Stop();
}

std::unique_ptr<ExitStrategy> ProcessStopper::MakeStrategy(const std::string& name, const ProcessStopRecord& record,
                                                           int32_t exitType) {
  switch (exitType) {
    case 0:
      return std::make_unique<ShellExitStrategy>(record, actions_);
    case 1:
      return std::make_unique<IpcExitStrategy>(record, actions_, ipc_);
    case 2:
      return std::make_unique<ServiceExitStrategy>(name, actions_);
    case 3:
      return std::make_unique<ServiceClientExitStrategy>(record, actions_, residentService_);
    default:
      return nullptr;
  }
}
