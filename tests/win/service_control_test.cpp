// Stopping and starting a real service through Wine's service control
// manager (the pacing by wait hints is tested natively). The simulated
// service, installed for one test, takes a set time and reports a set wait
// hint; pauses are recorded, and the time-out runs on the real clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "procctl/service_control_win.h"
#include "win_test_support.h"

namespace {

// `settings`: the service's key=value words (see sim_service.cpp).
class TestService {
 public:
  TestService(const std::string& name, const std::string& settings) {
    manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    const std::string binary =
        "\"" + testsupport::ProgramFolder() + "sim\\sim_service.exe\" name=" + name + " step=100 " + settings;
    service_ = CreateServiceA(manager_, name.c_str(), name.c_str(), SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                              SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, binary.c_str(), nullptr, nullptr, nullptr,
                              nullptr, nullptr);
  }
  ~TestService() {
    if (service_ != nullptr) DeleteService(service_), CloseServiceHandle(service_);
    if (manager_ != nullptr) CloseServiceHandle(manager_);
  }
  bool Installed() const { return service_ != nullptr; }
  DWORD State() const {
    SERVICE_STATUS status{};
    return QueryServiceStatus(service_, &status) ? status.dwCurrentState : 0;
  }

 private:
  SC_HANDLE manager_ = nullptr;
  SC_HANDLE service_ = nullptr;
};

// A clock on real time that records each pause, sleeping at most `longestSleep` ms.
struct RecordingClock {
  std::vector<uint32_t> pauses;
  DWORD longestSleep = 100;
  ServiceWaitClock Clock() {
    return {[] { return uint32_t(GetTickCount()); }, [this](uint32_t ms) {
              pauses.push_back(ms);
              Sleep(std::min<DWORD>(ms, longestSleep));
            }};
  }
};

// A missing service cannot be stopped or started; an installed one starts
// and stops once each, and a second start or stop is refused.
TEST(ServiceControl, StartAndStopAnInstalledServiceOnce) {
  EXPECT_EQ(StopServiceByName("SkalNoSuchService"), -1);
  EXPECT_EQ(StartServiceByName("SkalNoSuchService"), 0);
  EXPECT_EQ(StopServiceByName(""), -1);
  TestService service("SkalPace", "starttime=1200 stoptime=1200 starthint=3000 stophint=3000");
  ASSERT_TRUE(service.Installed());
  RecordingClock clock;
  EXPECT_EQ(StartServiceByName("SkalPace", clock.Clock()), 1);
  EXPECT_EQ(service.State(), DWORD(SERVICE_RUNNING));
  EXPECT_EQ(StartServiceByName("SkalPace", clock.Clock()), 0);
  EXPECT_EQ(StopServiceByName("SkalPace", clock.Clock()), 1);
  EXPECT_EQ(service.State(), DWORD(SERVICE_STOPPED));
  EXPECT_EQ(StopServiceByName("SkalPace", clock.Clock()), 0);
}

// A stop that never advances its check point is given up once more than
// its 1.5 s wait hint has passed, with real one-second pauses.
TEST(ServiceControl, StuckStopEndsAfterItsWaitHint) {
  TestService service("SkalStuckStop", "starttime=0 stoptime=-1 stophint=1500");
  ASSERT_TRUE(service.Installed());
  ASSERT_EQ(StartServiceByName("SkalStuckStop"), 1);

  RecordingClock clock{{}, 10000};
  const DWORD begin = GetTickCount();
  EXPECT_EQ(StopServiceByName("SkalStuckStop", clock.Clock()), 0);
  const DWORD elapsed = GetTickCount() - begin;
  EXPECT_GE(elapsed, 1500u);
  EXPECT_LT(elapsed, 5000u);
  EXPECT_EQ(clock.pauses, std::vector<uint32_t>(clock.pauses.size(), 1000));
  EXPECT_EQ(service.State(), DWORD(SERVICE_STOP_PENDING));
}

}  // namespace
