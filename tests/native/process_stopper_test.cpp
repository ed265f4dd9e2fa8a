// Stopping product components by name: list splitting, strategy choice by
// exit type, and what each strategy asks of the system, recorded by fakes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "procctl/process_stopper.h"
#include "procctl/service_exit_strategy.h"

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

TEST_F(ProcessStopperTest, UnknownNamesAndExitTypesOutsideZeroToThreeMakeNoStrategy) {
  Add("NEG.EXE", -1);
  Add("FOUR.EXE", 4);
  ProcessStopper stopper = Stopper();
  EXPECT_EQ(stopper.StopProductProcess("MISSING.EXE"), 0);
  EXPECT_EQ(stopper.StopProductProcess("NEG.EXE"), 0);
  EXPECT_EQ(stopper.StopProductProcess("FOUR.EXE"), 0);
  EXPECT_EQ(stopped.Size(), 0u);
  EXPECT_TRUE(actions.log.empty());
}

TEST_F(ProcessStopperTest, ShellStrategyOpensWithTheStopParameterAndIsNeverMarkedStopped) {
  Add("A.EXE", 0);
  ProcessStopper stopper = Stopper();
  EXPECT_EQ(stopper.StopProductProcess("A.EXE"), 1);
  EXPECT_EQ(stopped.At(0)->stopped, 0);
  EXPECT_EQ(stopped.At(0)->Restart(), 0);
  actions.openResult = 0;
  EXPECT_EQ(stopper.StopProductProcess("A.EXE"), 0);
}

TEST_F(ProcessStopperTest, ServiceStrategyStopsTheServiceOfTheEntryName) {
  Add("ZmtService", 2);
  ProcessStopper stopper = Stopper();
  EXPECT_EQ(stopper.StopProductProcess("ZmtService"), 1);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"stop-service ZmtService"}));
  EXPECT_EQ(stopped.At(0)->stopped, 1);
  EXPECT_EQ(stopped.At(0)->Restart(), 1);
  EXPECT_EQ(actions.log.back(), "start-service ZmtService");

  actions.serviceResult = -1;
  EXPECT_EQ(stopper.StopProductProcess("ZmtService"), -1);
  EXPECT_EQ(stopped.At(0)->stopped, 0);
  EXPECT_EQ(stopped.At(0)->Restart(), 0);
}

TEST_F(ProcessStopperTest, ServiceNameThatCannotBeAServiceIsNotStopped) {
  const std::string longName(260, 'S');
  Add("", 2);
  Add(longName, 2);
  ProcessStopper stopper = Stopper();
  EXPECT_EQ(stopper.StopProductProcess(""), 0);
  EXPECT_EQ(stopper.StopProductProcess(longName), 0);
  EXPECT_TRUE(actions.log.empty());
}

TEST_F(ProcessStopperTest, RegisteredComponentIsAskedToQuitThenItsProcessAwaited) {
  Add("ZMT9X.EXE", 1, 1);
  Add("AGENT.EXE", 3, 5);
  ipc.running[1] = 4321;
  residentService.running[5] = 99;
  ProcessStopper stopper = Stopper();

  EXPECT_EQ(stopper.StopProductProcess("ZMT9X.EXE"), 1);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"open C:\\Skal\\ZMT9X.EXE /quit", "wait 4321"}));
  EXPECT_EQ(stopped.At(0)->stopped, 1);
  EXPECT_EQ(stopped.At(0)->Restart(), 1);
  EXPECT_EQ(actions.log.back(), "open C:\\Skal\\ZMT9X.EXE /start");

  actions.log.clear();
  actions.waitResult = 0;
  EXPECT_EQ(stopper.StopProductProcess("AGENT.EXE"), 0);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"open C:\\Skal\\AGENT.EXE /quit", "wait 99"}));
  EXPECT_EQ(stopped.At(0)->stopped, 0);
}

TEST_F(ProcessStopperTest, ComponentNotRunningIsNotOpened) {
  Add("ZMT9X.EXE", 1, 1);
  Add("AGENT.EXE", 3, 5);
  EXPECT_EQ(Stopper().StopProductProcess("ZMT9X.EXE"), -1);
  EXPECT_EQ(Stopper().StopProductProcess("AGENT.EXE"), -1);
  ipc.running[1] = 7;
  EXPECT_EQ(Stopper(false).StopProductProcess("ZMT9X.EXE"), -1);  // no IPC library
  EXPECT_TRUE(actions.log.empty());
  EXPECT_EQ(stopped.Size(), 3u);
}

TEST_F(ProcessStopperTest, FailedOpenIsNotFollowedByAWait) {
  Add("ZMT9X.EXE", 1, 1);
  ipc.running[1] = 7;
  actions.openResult = 0;
  EXPECT_EQ(Stopper().StopProductProcess("ZMT9X.EXE"), 0);
  EXPECT_EQ(actions.log.size(), 1u);
}

}  // namespace
