#pragma once
// Exit type 2: the component is a Windows service named as the entry of the
// stop list itself.
#include <string>

#include "procctl/exit_strategy.h"
#include "procctl/stop_actions.h"

class ServiceExitStrategy : public ExitStrategy {
 public:
  // Valid only for a name of 1 to 259 characters: longer ones are no service name.
  ServiceExitStrategy(const std::string& serviceName, StopActions& actions);
  int Stop() override;
  int Restart() override;

  const std::string& ServiceName() const { return serviceName_; }

 private:
  std::string serviceName_;
  StopActions& actions_;
};
