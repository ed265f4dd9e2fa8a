#pragma once
// Exit types 1 and 3: a component registered in the product's IPC table or
// known to its resident service. Only a component found running is asked to
// quit; its process is looked up after the request, so one that has already
// left the directory yields process id 0, which counts as ended.
#include "procctl/component_directory.h"
#include "procctl/program_exit_strategy.h"

class ComponentExitStrategy : public ProgramExitStrategy {
 public:
  // The directory is shared by the run and not owned; null when the run has none.
  ComponentExitStrategy(const ProcessStopRecord& record, StopActions& actions, ComponentDirectory* directory)
      : ProgramExitStrategy(record, actions), directory_(directory) {}
  int Stop() override;

 private:
  ComponentDirectory* directory_;
};

// Exit type 1: directory is the IPC client.
class IpcExitStrategy : public ComponentExitStrategy {
 public:
  using ComponentExitStrategy::ComponentExitStrategy;
};

// Exit type 3: directory is the resident-service client.
class ServiceClientExitStrategy : public ComponentExitStrategy {
 public:
  using ComponentExitStrategy::ComponentExitStrategy;
};
