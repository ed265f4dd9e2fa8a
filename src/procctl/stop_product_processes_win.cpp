#include "procctl/stop_product_processes_win.h"

#include "app/update_run.h"
#include <memory>

#include "procctl/system_stop_actions_win.h"

int StopProductProcesses(const std::string& callByList, UpdateRun& run, const ProcessLookup& lookup) {
  // The strategies kept in run.stoppedProcesses use the actions after this
  // returns: the run owns them.
  if (!run.stopActions) run.stopActions = std::make_unique<SystemStopActions>();
  ProcessStopper stopper(lookup, *run.stopActions, run.stoppedProcesses, run.ipcClient.get(), run.serviceClient.get());
  return stopper.StopProductProcesses(callByList);
}
