// The pacing and time-out of a service stop or start, on a simulated clock.
#include <gtest/gtest.h>

#include <vector>

#include "procctl/service_wait.h"

namespace {

// Answers the queries in order, the last one repeating; with no answers
// every query fails. Every pause is recorded and advances the clock.
struct SimulatedService {
  uint32_t clock;
  std::vector<ServiceProgress> statuses;
  std::vector<uint32_t> pauses = {};
  size_t queries = 0;

  uint32_t Wait(uint32_t pending, ServiceProgress first) {
    auto query = [this](ServiceProgress& p) {
      if (statuses.empty()) return false;
      p = statuses[std::min(queries++, statuses.size() - 1)];
      return true;
    };
    ServiceWaitClock simulated{[this] { return clock; }, [this](uint32_t ms) {
                                 pauses.push_back(ms);
                                 clock += ms;
                               }};
    return WaitWhilePending(pending, first, query, simulated);
  }
};

TEST(ServiceWait, PauseIsATenthOfTheHintWithinOneToTenSeconds) {
  EXPECT_EQ(PollPause(0), 1000u);
  EXPECT_EQ(PollPause(3000), 1000u);
  EXPECT_EQ(PollPause(30000), 3000u);
  EXPECT_EQ(PollPause(120000), 10000u);
}

TEST(ServiceWait, EndsWhenDoneStuckOrUnanswered) {
  const ServiceProgress stopped{kServiceStopped, 0, 0};
  std::vector<ServiceProgress> advancing;
  for (uint32_t point = 1; point <= 6; ++point) advancing.push_back({kServiceStopPending, point, 3000});
  advancing.push_back(stopped);
  const struct {
    const char* what;
    uint32_t clock, pending;
    ServiceProgress first;
    std::vector<ServiceProgress> statuses;
    uint32_t state;
    std::vector<uint32_t> pauses;
  } cases[] = {
      // 7 s in all, more than the 3 s hint, while the check point moves.
      {"progress", 5000, kServiceStopPending, {kServiceStopPending, 0, 3000}, advancing, kServiceStopped,
       std::vector<uint32_t>(7, 1000)},
      // Progress after the first pause restarts the time; 11 more pauses of
      // 3 s are the first to pass the 30 s hint.
      {"stuck", 5000, kServiceStartPending, {kServiceStartPending, 1, 30000}, {{kServiceStartPending, 2, 30000}},
       kServiceStartPending, std::vector<uint32_t>(12, 3000)},
      {"zero hint", 5000, kServiceStopPending, {kServiceStopPending, 0, 0}, {{kServiceStopPending, 0, 0}},
       kServiceStopPending, {1000}},
      {"tick wrap", 0xFFFFF000u, kServiceStopPending, {kServiceStopPending, 0, 120000},
       {{kServiceStopPending, 0, 120000}}, kServiceStopPending, std::vector<uint32_t>(13, 10000)},
      {"failed query", 5000, kServiceStopPending, {kServiceStopPending, 0, 3000}, {}, kServiceStopPending, {1000}},
      {"not pending", 5000, kServiceStopPending, stopped, {}, kServiceStopped, {}},
  };
  for (const auto& c : cases) {
    SimulatedService service{c.clock, c.statuses};
    EXPECT_EQ(service.Wait(c.pending, c.first), c.state) << c.what;
    EXPECT_EQ(service.pauses, c.pauses) << c.what;
  }
}

}  // namespace
