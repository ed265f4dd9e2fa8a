// Stopping the simulated product under Wine: a main program ignoring "/quit",
// one already ended, and the clients' handling of missing or incomplete
// libraries.
#include <gtest/gtest.h>

#include <memory>

#include "app/update_run.h"
#include "procctl/ipc_client_win.h"
#include "procctl/process_exit_win.h"
#include "procctl/service_client_win.h"
#include "procctl/stop_product_processes_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

bool CopySim(const std::string& simName, const std::string& destination) {
  return CopyFileA((ProgramFolder() + "sim\\" + simName).c_str(), destination.c_str(), FALSE) != 0;
}

class ProcessStop : public ::testing::Test {
 protected:
  std::string runner = MakeScratchFolder("runner");
  std::string product = MakeScratchFolder("product");
  std::string program = product + "ZMT9X.EXE";
  automation::ChildProcess running;

  void SetUp() override {
    for (const std::string& folder : {runner, product}) {
      ASSERT_TRUE(CopySim("ZMTIPC.dll", folder + "ZMTIPC.dll"));
      ASSERT_TRUE(CopySim("ZMTSvc.DLL", folder + "ZMTSvc.DLL"));
    }
    ASSERT_TRUE(CopySim("sim_main_program.exe", program));
  }

  // Starts the main program as component 1 registered through IPC and waits
  // until it is ready.
  void StartMainProgram(bool honourQuit) {
    const std::string ini = product + "ZMT9X.ini";
    WritePrivateProfileStringA("Simulation", "ComponentId", "1", ini.c_str());
    WritePrivateProfileStringA("Simulation", "Register", "ipc", ini.c_str());
    WritePrivateProfileStringA("Simulation", "HonourQuit", honourQuit ? "1" : "0", ini.c_str());
    ASSERT_TRUE(running.Start("\"" + program + "\"", product));
    for (int i = 0; i < 200 && ProgramLog().find("ready") == std::string::npos; ++i) Sleep(50);
    ASSERT_EQ(ProgramLog(), "ready\r\n");
  }

  std::string ProgramLog() const { return ReadWholeFile(product + "ZMT9X.log"); }

  // Opens the run's clients from `folder` as the runner does from its own.
  std::unique_ptr<UpdateRun> Run(const std::string& folder) {
    auto run = std::make_unique<UpdateRun>();
    run->ipcClient = std::make_unique<IpcClient>(folder);
    run->serviceClient = std::make_unique<ServiceClient>(folder);
    return run;
  }

  // The catalogue describes the main program as component 1, stopped by IPC.
  ProcessLookup Lookup() {
    return [this](const std::string& name, ProcessStopRecord& record, int32_t& exitType) {
      exitType = 1;
      record = {program, 1, "/quit", ""};
      return name == "ZMT9X.EXE";
    };
  }

  bool MainProgramEnded() {
    DWORD code = 0;
    return running.Wait(0, code);
  }
};

TEST_F(ProcessStop, IgnoredQuitIsWaitedForFiveSeconds) {
  StartMainProgram(false);
  auto run = Run(runner);
  const DWORD begin = GetTickCount();
  EXPECT_EQ(StopProductProcesses("ZMT9X.EXE,", *run, Lookup()), 1);
  const DWORD elapsed = GetTickCount() - begin;
  EXPECT_GE(elapsed, 4900u);
  EXPECT_LT(elapsed, 9000u);
  EXPECT_EQ(run->stoppedProcesses.At(0)->stopped, 0);
  EXPECT_FALSE(MainProgramEnded());
  EXPECT_EQ(ProgramLog(), "ready\r\nquit-request\r\nquit-ignored\r\n");
}

// The program dies without leaving the IPC table: the request goes out, and
// its process id, which no longer exists, counts as ended.
TEST_F(ProcessStop, ComponentThatHasEndedCountsAsEnded) {
  EXPECT_EQ(WaitForProcessExit(0), 1);
  auto run = Run(runner);  // open first: the table lives while a process maps it
  StartMainProgram(true);
  running.Terminate();
  ASSERT_EQ(run->ipcClient->IsRunning(1), 1);
  StopProductProcesses("ZMT9X.EXE", *run, Lookup());
  EXPECT_EQ(run->stoppedProcesses.At(0)->stopped, 1);
}

// Without its libraries, or with an IPC library that lacks an export (and
// is freed again), a client finds no component running and stops nothing.
TEST_F(ProcessStop, MissingOrIncompleteLibrariesStopNothing) {
  const std::string empty = MakeScratchFolder("nolibs"), partial = MakeScratchFolder("partial");
  ASSERT_TRUE(CopySim("ZMTIPC_incomplete.dll", partial + "ZMTIPC.dll"));
  StartMainProgram(true);
  for (const std::string& folder : {empty, partial}) {
    auto run = Run(folder);
    EXPECT_EQ(GetModuleHandleA((folder + "ZMTIPC.dll").c_str()), nullptr) << folder;
    StopProductProcesses("ZMT9X.EXE,", *run, Lookup());
    EXPECT_EQ(run->stoppedProcesses.At(0)->stopped, 0) << folder;
  }
  EXPECT_FALSE(MainProgramEnded());
}

// Clients share one library reference count: it stays loaded while any is open.
TEST_F(ProcessStop, IpcLibraryStaysLoadedUntilTheLastClientCloses) {
  StartMainProgram(true);
  const std::string library = runner + "ZMTIPC.dll";
  auto first = std::make_unique<IpcClient>(runner);
  IpcClient second(MakeScratchFolder("elsewhere"));  // the loaded library serves it
  EXPECT_TRUE(second.IsInitialised());
  first.reset();
  EXPECT_NE(GetModuleHandleA(library.c_str()), nullptr);
  EXPECT_EQ(second.IsRunning(1), 1);
  EXPECT_EQ(second.ProcessIdOf(1), running.Id());
}

}  // namespace
