#pragma once
// Stops the product components named in the commit's list of users of the
// files, strictly one after another in list order. Each name is looked up in
// the catalogue's process list; its exit type picks the strategy, which is
// kept in the run's StoppedProcessList and asked to stop. Outcomes are not
// reported: the commit replaces files whatever they were.
#include <cstdint>
#include <functional>
#include <string>

#include "procctl/component_directory.h"
#include "procctl/process_stop_record.h"
#include "procctl/stop_actions.h"
#include "procctl/stopped_process_list.h"

// The catalogue's FindProcess: fills the record and the exit type of the
// named component; false when there is no such component.
using ProcessLookup = std::function<bool(const std::string& name, ProcessStopRecord& record, int32_t& exitType)>;

class ProcessStopper {
 public:
  // The directories may be null (no IPC library or resident service); the
  // components they would find then count as not running.
  ProcessStopper(ProcessLookup lookup, StopActions& actions, StoppedProcessList& stopped, ComponentDirectory* ipc,
                 ComponentDirectory* residentService)
      : lookup_(std::move(lookup)), actions_(actions), stopped_(stopped), ipc_(ipc), residentService_(residentService) {}

  // Comma-separated names; a trailing comma ends the list, an empty name
  // between commas finds nothing. Every name is stopped however long the
  // list is. Returns 1.
  int StopProductProcesses(const std::string& callByList);

  // The strategy's Stop result; 0 when the name is not found, its exit type
  // has no strategy, or the strategy cannot be kept.
  int StopProductProcess(const std::string& name);

 private:
  std::unique_ptr<ExitStrategy> MakeStrategy(const std::string& name, const ProcessStopRecord& record,
                                             int32_t exitType);

  ProcessLookup lookup_;
  StopActions& actions_;
  StoppedProcessList& stopped_;
  ComponentDirectory* ipc_;
  ComponentDirectory* residentService_;
};
