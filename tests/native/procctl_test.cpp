// Stopping product components: list splitting, strategy choice by exit type
// and what each strategy asks of the system, recorded by fakes; the pacing and
// time-out of a service stop or start, on a simulated clock.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "procctl/process_stopper.h"
#include "procctl/service_exit_strategy.h"
#include "procctl/service_wait.h"

namespace {

struct Entry {
  int32_t exitType;
  ProcessStopRecord record;
};

class RecordingActions : public StopActions {
 public:
  std::vector<std::string> log;
  int openResult = 1;
  int waitResult = 1;
  int serviceResult = 1;

  int OpenProgram(const std::string& path, const std::string& parameter) override {
    log.push_back("open " + path + " " + parameter);
    return openResult;
  }
  int WaitForProcessExit(uint32_t processId) override {
    log.push_back("wait " + std::to_string(processId));
    return waitResult;
  }
  int StopNamedService(const std::string& name) override {
    log.push_back("stop-service " + name);
    return serviceResult;
  }
  int StartNamedService(const std::string& name) override {
    log.push_back("start-service " + name);
    return serviceResult;
  }
};

class FakeDirectory : public ComponentDirectory {
 public:
  std::map<int32_t, uint32_t> running;  // component id -> process id
  int IsRunning(int32_t id) override { return running.count(id) ? 1 : 0; }
  uint32_t ProcessIdOf(int32_t id) override { return running.count(id) ? running[id] : 0; }
};

class ProcessStopperTest : public ::testing::Test {
 protected:
  std::map<std::string, Entry> table;
  std::vector<std::string> lookedUp;
  RecordingActions actions;
  FakeDirectory ipc;
  FakeDirectory residentService;
  StoppedProcessList stopped;

  ProcessStopper Stopper(bool withDirectories = true) {
    auto lookup = [this](const std::string& name, ProcessStopRecord& record, int32_t& exitType) {
      lookedUp.push_back(name);
      auto found = table.find(name);
      if (found == table.end()) return false;
      record = found->second.record;
      exitType = found->second.exitType;
      return true;
    };
    return ProcessStopper(lookup, actions, stopped, withDirectories ? &ipc : nullptr,
                          withDirectories ? &residentService : nullptr);
  }

  void Add(const std::string& name, int32_t exitType, int32_t id = 0) {
    table[name] = {exitType, {"C:\\Skal\\" + name, id, "/quit", "/start"}};
  }
};

TEST_F(ProcessStopperTest, ListIsSplitAtCommasInOrder) {
  Add("A.EXE", 0);
  Add("B.EXE", 0);
  ProcessStopper stopper = Stopper();

  EXPECT_EQ(stopper.StopProductProcesses(""), 1);
  EXPECT_TRUE(lookedUp.empty());

  EXPECT_EQ(stopper.StopProductProcesses("A.EXE,B.EXE,"), 1);
  EXPECT_EQ(lookedUp, (std::vector<std::string>{"A.EXE", "B.EXE"}));
  EXPECT_EQ(actions.log, (std::vector<std::string>{"open C:\\Skal\\A.EXE /quit", "open C:\\Skal\\B.EXE /quit"}));

  lookedUp.clear();
  stopper.StopProductProcesses(",B.EXE,,A.EXE");
  EXPECT_EQ(lookedUp, (std::vector<std::string>{"", "B.EXE", "", "A.EXE"}));
}

TEST_F(ProcessStopperTest, ListLongerThanAPathIsStoppedWhole) {
  std::string list;
  for (int i = 0; i < 40; ++i) list += "COMPONENT" + std::to_string(i) + ".EXE,";
  ASSERT_GT(list.size(), 259u);
  Stopper().StopProductProcesses(list);
  ASSERT_EQ(lookedUp.size(), 40u);
  EXPECT_EQ(lookedUp.back(), "COMPONENT39.EXE");
}

TEST_F(ProcessStopperTest, StrategiesAreKeptNewestFirstAndDuplicatesStopTwice) {
  Add("A.EXE", 0);
  Add("SVC", 2);
  Stopper().StopProductProcesses("A.EXE,SVC,A.EXE,");
  ASSERT_EQ(stopped.Size(), 3u);
  EXPECT_NE(dynamic_cast<ServiceExitStrategy*>(stopped.At(1)), nullptr);
  EXPECT_EQ(actions.log.size(), 3u);
}

// One name stopped, then restarted: what each strategy asks of the system
// and what it reports.
TEST_F(ProcessStopperTest, StopAndRestartOneComponent) {
  const std::string longName(260, 'S');
  struct StopCase {
    const char* what;
    std::string name = "A.EXE";
    int32_t exitType = 0;
    bool listed = true;
    uint32_t ipcPid = 0, residentPid = 0;  // process of the running component, 0: not running
    bool directories = true;
    int openResult = 1, waitResult = 1, serviceResult = 1;
    int result;
    bool kept = true;  // a strategy is made and listed
    int stopped = 0, restart = 0;
    std::vector<std::string> log = {};  // the stop's calls, then the restart's
  };
  const std::string quit = "open C:\\Skal\\A.EXE /quit";
  const StopCase cases[] = {
      {.what = "unlisted", .listed = false, .result = 0, .kept = false},
      {.what = "exit type -1", .exitType = -1, .result = 0, .kept = false},
      {.what = "exit type 4", .exitType = 4, .result = 0, .kept = false},
      {.what = "shell", .result = 1, .log = {quit}},
      {.what = "shell, open fails", .openResult = 0, .result = 0, .log = {quit}},
      {.what = "service", .name = "ZmtService", .exitType = 2, .result = 1, .stopped = 1, .restart = 1,
       .log = {"stop-service ZmtService", "start-service ZmtService"}},
      {.what = "service fails", .name = "ZmtService", .exitType = 2, .serviceResult = -1, .result = -1,
       .log = {"stop-service ZmtService"}},
      {.what = "service without name", .name = "", .exitType = 2, .result = 0},
      {.what = "service name too long", .name = longName, .exitType = 2, .result = 0},
      {.what = "component", .exitType = 1, .ipcPid = 4321, .result = 1, .stopped = 1, .restart = 1,
       .log = {quit, "wait 4321", "open C:\\Skal\\A.EXE /start"}},
      {.what = "service client, wait fails", .exitType = 3, .residentPid = 99, .waitResult = 0, .result = 0,
       .log = {quit, "wait 99"}},
      {.what = "component not running", .exitType = 1, .residentPid = 7, .result = -1},
      {.what = "service client not running", .exitType = 3, .ipcPid = 7, .result = -1},
      {.what = "no component libraries", .exitType = 1, .ipcPid = 7, .directories = false, .result = -1},
      {.what = "component, open fails", .exitType = 1, .ipcPid = 7, .openResult = 0, .result = 0, .log = {quit}},
  };
  for (const StopCase& c : cases) {
    table.clear();
    stopped.Clear();
    actions = RecordingActions();
    actions.openResult = c.openResult;
    actions.waitResult = c.waitResult;
    actions.serviceResult = c.serviceResult;
    if (c.listed) Add(c.name, c.exitType, 1);
    ipc.running.clear();
    residentService.running.clear();
    if (c.ipcPid) ipc.running[1] = c.ipcPid;
    if (c.residentPid) residentService.running[1] = c.residentPid;

    EXPECT_EQ(Stopper(c.directories).StopProductProcess(c.name), c.result) << c.what;
    ASSERT_EQ(stopped.Size(), c.kept ? 1u : 0u) << c.what;
    if (c.kept) {
      EXPECT_EQ(stopped.At(0)->stopped, c.stopped) << c.what;
      EXPECT_EQ(stopped.At(0)->Restart(), c.restart) << c.what;
    }
    EXPECT_EQ(actions.log, c.log) << c.what;
  }
}

// The pacing and time-out of a service stop or start, on a simulated clock.
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
