// Stopping and starting a real service through Wine's service control
// manager: the simulated service takes a set time, advancing its check point,
// and reports a set wait hint. Pauses are recorded and cut short; the
// time-out still runs on the real clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "procctl/service_control_win.h"
#include "test_service.h"
#include "win_test_support.h"

namespace {

struct RecordingClock {
  std::vector<uint32_t> pauses;
  DWORD longestSleep;

  explicit RecordingClock(DWORD longest = 100) : longestSleep(longest) {}
  ServiceWaitClock Clock() {
    return {[] { return uint32_t(GetTickCount()); }, [this](uint32_t ms) {
              pauses.push_back(ms);
              Sleep(std::min<DWORD>(ms, longestSleep));
            }};
  }
};

using testsupport::TestService;

TEST(ServiceControl, MissingServiceCannotBeStoppedOrStarted) {
  EXPECT_EQ(StopServiceByName("SkalNoSuchService"), -1);
  EXPECT_EQ(StartServiceByName("SkalNoSuchService"), 0);
  EXPECT_EQ(StopServiceByName(""), -1);
}

// Start and stop each take about a second and go on past a short wait hint
// because the check point advances; every pause is a tenth of the hint
// within 1 to 10 s. A second start or stop is refused by the service manager.
TEST(ServiceControl, StartAndStopPacedByTheWaitHint) {
  const std::string name = "SkalPace";
  TestService service(name, "starttime=1200 stoptime=1200 starthint=3000 stophint=3000");
  ASSERT_TRUE(service.Installed());
  const uint32_t pause = 1000;

  RecordingClock starting;
  EXPECT_EQ(StartServiceByName(name, starting.Clock()), 1);
  EXPECT_EQ(service.State(), DWORD(SERVICE_RUNNING));
  EXPECT_FALSE(starting.pauses.empty());
  EXPECT_EQ(starting.pauses, std::vector<uint32_t>(starting.pauses.size(), pause));
  EXPECT_EQ(StartServiceByName(name, starting.Clock()), 0);

  RecordingClock stopping;
  EXPECT_EQ(StopServiceByName(name, stopping.Clock()), 1);
  EXPECT_EQ(service.State(), DWORD(SERVICE_STOPPED));
  EXPECT_FALSE(stopping.pauses.empty());
  EXPECT_EQ(stopping.pauses, std::vector<uint32_t>(stopping.pauses.size(), pause));
  EXPECT_EQ(StopServiceByName(name, stopping.Clock()), 0);
}

// A stop that never advances its check point is given up once more than
// its 1.5 s wait hint has passed, with real one-second pauses.
TEST(ServiceControl, StuckStopEndsAfterItsWaitHint) {
  TestService service("SkalStuckStop", "starttime=0 stoptime=-1 stophint=1500");
  ASSERT_TRUE(service.Installed());
  ASSERT_EQ(StartServiceByName("SkalStuckStop"), 1);

  RecordingClock clock(10000);
  const DWORD begin = GetTickCount();
  EXPECT_EQ(StopServiceByName("SkalStuckStop", clock.Clock()), 0);
  const DWORD elapsed = GetTickCount() - begin;
  EXPECT_GE(elapsed, 1500u);
  EXPECT_LT(elapsed, 5000u);
  EXPECT_EQ(clock.pauses, std::vector<uint32_t>(clock.pauses.size(), 1000));
  EXPECT_EQ(service.State(), DWORD(SERVICE_STOP_PENDING));
}

}  // namespace
