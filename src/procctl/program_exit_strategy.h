#pragma once
// Base of the strategies that know the component's program: they restart it
// by opening the program with its start parameter.
#include "procctl/exit_strategy.h"
#include "procctl/process_stop_record.h"
#include "procctl/stop_actions.h"

class ProgramExitStrategy : public ExitStrategy {
 public:
  ProgramExitStrategy(const ProcessStopRecord& record, StopActions& actions) : record_(record), actions_(actions) {}
  int Restart() override;

  const ProcessStopRecord& Record() const { return record_; }

 protected:
  ProcessStopRecord record_;
  StopActions& actions_;
};

// Exit type 0: the program is opened with its stop parameter and is trusted
// to end by itself. Nothing tells whether it did, so it is never marked stopped.
class ShellExitStrategy : public ProgramExitStrategy {
 public:
  using ProgramExitStrategy::ProgramExitStrategy;
  int Stop() override;
};
