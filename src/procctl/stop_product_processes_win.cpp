#include "procctl/stop_product_processes_win.h"

#include "app/update_run.h"
#include "procctl/system_stop_actions_win.h"

int StopProductProcesses(const std::string& callByList, UpdateRun& run, const ProcessLookup& lookup) {
  SystemStopActions actions;
  ProcessStopper stopper(lookup, actions, run.stoppedProcesses, run.ipcClient.get(), run.serviceClient.get());
  return stopper.StopProductProcesses(callByList);
}
