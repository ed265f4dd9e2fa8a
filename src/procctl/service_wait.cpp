#include "procctl/service_wait.h"

#include <algorithm>

namespace {
constexpr uint32_t kShortestPause = 1000;
constexpr uint32_t kLongestPause = 10000;
}  // namespace

uint32_t PollPause(uint32_t waitHint) { return std::clamp(waitHint / 10, kShortestPause, kLongestPause); }

uint32_t WaitWhilePending(uint32_t pendingState, ServiceProgress status,
                          const std::function<bool(ServiceProgress&)>& query, const ServiceWaitClock& clock) {
  uint32_t progressTime = clock.now();
  uint32_t checkPoint = status.checkPoint;
  while (status.currentState == pendingState) {
    clock.pause(PollPause(status.waitHint));
    if (!query(status)) break;
    if (status.checkPoint > checkPoint) {
      checkPoint = status.checkPoint;
      progressTime = clock.now();
    } else if (clock.now() - progressTime > status.waitHint) {  // unsigned: tick wrap is harmless
      break;
    }
  }
  return status.currentState;
}
