// The pacing and time-out of a service stop or start, on a simulated clock:
// every pause the wait asks for is recorded and advances the clock.
#include <gtest/gtest.h>

#include <vector>

#include "procctl/service_wait.h"

namespace {

struct SimulatedService {
  uint32_t clock = 5000;
  std::vector<uint32_t> pauses;
  std::vector<ServiceProgress> statuses;  // answers to the queries, in order; the last one repeats
  size_t queries = 0;
  bool failQueries = false;

  ServiceWaitClock Clock() {
    return {[this] { return clock; }, [this](uint32_t ms) {
              pauses.push_back(ms);
              clock += ms;
            }};
  }
  uint32_t Wait(uint32_t pending, ServiceProgress first) {
    auto query = [this](ServiceProgress& p) {
      if (failQueries) return false;
      p = statuses[std::min(queries++, statuses.size() - 1)];
      return true;
    };
    return WaitWhilePending(pending, first, query, Clock());
  }
};

TEST(ServiceWait, PauseIsATenthOfTheHintWithinOneToTenSeconds) {
  EXPECT_EQ(PollPause(0), 1000u);
  EXPECT_EQ(PollPause(3000), 1000u);
  EXPECT_EQ(PollPause(30000), 3000u);
  EXPECT_EQ(PollPause(120000), 10000u);
}

TEST(ServiceWait, ProgressKeepsTheWaitGoingBeyondTheHint) {
  SimulatedService service;
  for (uint32_t point = 1; point <= 6; ++point) service.statuses.push_back({kServiceStopPending, point, 3000});
  service.statuses.push_back({kServiceStopped, 0, 0});
  EXPECT_EQ(service.Wait(kServiceStopPending, {kServiceStopPending, 0, 3000}), kServiceStopped);
  EXPECT_EQ(service.pauses, std::vector<uint32_t>(7, 1000));  // 7 s in all, more than the 3 s hint
}

TEST(ServiceWait, StuckServiceGivesUpOnceMoreThanItsHintPassedWithoutProgress) {
  SimulatedService service;
  service.statuses = {{kServiceStartPending, 2, 30000}, {kServiceStartPending, 2, 30000}};
  EXPECT_EQ(service.Wait(kServiceStartPending, {kServiceStartPending, 1, 30000}), kServiceStartPending);
  // Progress after the first pause restarts the time; 11 more pauses of 3 s
  // are the first to pass 30 s.
  EXPECT_EQ(service.pauses, std::vector<uint32_t>(12, 3000));
}

TEST(ServiceWait, ZeroHintEndsAtTheFirstPollWithoutProgress) {
  SimulatedService service;
  service.statuses = {{kServiceStopPending, 0, 0}};
  EXPECT_EQ(service.Wait(kServiceStopPending, {kServiceStopPending, 0, 0}), kServiceStopPending);
  EXPECT_EQ(service.pauses, std::vector<uint32_t>{1000});
}

TEST(ServiceWait, TimeCountsAcrossTheTickCountWrap) {
  SimulatedService service;
  service.clock = 0xFFFFF000u;
  service.statuses = {{kServiceStopPending, 0, 120000}};
  service.Wait(kServiceStopPending, {kServiceStopPending, 0, 120000});
  EXPECT_EQ(service.pauses, std::vector<uint32_t>(13, 10000));
}

TEST(ServiceWait, FailedQueryEndsTheWaitWithTheLastKnownState) {
  SimulatedService service;
  service.failQueries = true;
  EXPECT_EQ(service.Wait(kServiceStopPending, {kServiceStopPending, 0, 3000}), kServiceStopPending);
  EXPECT_EQ(service.pauses.size(), 1u);
  EXPECT_EQ(service.Wait(kServiceStopPending, {kServiceStopped, 0, 0}), kServiceStopped);
  EXPECT_EQ(service.pauses.size(), 1u);  // not pending: no poll at all
}

}  // namespace
