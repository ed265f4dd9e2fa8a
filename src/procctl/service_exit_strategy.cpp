#include "procctl/service_exit_strategy.h"

namespace {
constexpr size_t kMaxNameLength = 259;
}

ServiceExitStrategy::ServiceExitStrategy(const std::string& serviceName, StopActions& actions)
    : serviceName_(serviceName), actions_(actions) {
  valid = !serviceName_.empty() && serviceName_.size() <= kMaxNameLength;
}

int ServiceExitStrategy::Stop() {
  if (!valid) return 0;
  const int result = actions_.StopNamedService(serviceName_);
  if (result == 1) stopped = 1;
  return result;
}

int ServiceExitStrategy::Restart() {
  if (!valid || !stopped) return 0;
  return actions_.StartNamedService(serviceName_) == 1 ? 1 : 0;
}
