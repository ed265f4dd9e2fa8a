// Deferred replacements carried out by a restart: the commit defers a file
// held open by another process, the holder ends (as every program does when
// Windows restarts) and `wineboot -r` performs Wine's restart-time work
// (delayed moves and deletes on NT, Wininit.ini's [rename] section on 9x) in
// the same prefix, after which the new file must be on disk.
#include <gtest/gtest.h>

#include "child_process_win.h"
#include "commit/commit_driver.h"
#include "commit_fixture.h"
#include "held_file_win.h"
#include "paths/folders_win.h"
#include "procctl/ipc_client_win.h"
#include "resources/message_ids.h"

using namespace testsupport;

namespace {

// Runs Wine's restart-time processing and waits for it; true when it ran.
bool SimulateRestart() {
  automation::ChildProcess boot;
  DWORD code = 1;
  return boot.Start("wineboot.exe -r") && boot.Wait(60000, code) && code == 0;
}

// Wine reads Wininit.ini from the real Windows folder.
class CommitRestart : public CommitFixture {
 protected:
  void SetUp() override {
    CommitFixture::SetUp();
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    run.windowsDir = std::string(folder) + "\\";
  }
};

TEST_F(CommitRestart, DeferredFileAndDatabaseRemovalTakeEffectAtRestart) {
  for (const char* name : {"ZMT00001.DAT", "ZMT00002.DAT", "ZMT00002.UPD"})
    ASSERT_TRUE(WriteWholeFile(product + name, name));
  ASSERT_TRUE(WriteWholeFile(product + "ZMT9X.EXE", "old program"));
  automation::ChildProcess holder;
  ASSERT_TRUE(automation::HoldFile(holder, product + "ZMT9X.EXE", "none"));
  AddItem("ZMT9X.EXE", "new program", product);

  ASSERT_EQ(CommitUpdate(run, catalog), 1);
  ASSERT_TRUE(Logged(kMsgDeferredCompletesOnRestart, "ZMT9X.EXE", product));
  holder.Terminate();
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "old program");
  EXPECT_TRUE(FileExists(product + "ZMT00001.DAT"));

  ASSERT_TRUE(SimulateRestart());
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "new program");
  EXPECT_FALSE(FileExists(product + "ZMT00001.DAT"));
  EXPECT_FALSE(FileExists(product + "ZMT00002.UPD"));
  EXPECT_TRUE(FileExists(product + "ZMT00002.DAT"));
}

// The simulated product main program runs as the installed ZMT9X.EXE and
// keeps ZMTDATA.DAT open; the package carries new copies of both. The
// catalogue names the program as an IPC component stopped with "/quit".
class ProductStopRestart : public CommitRestart {
 protected:
  std::string runner = MakeScratchFolder("runner");
  automation::ChildProcess mainProgram;

  static bool CopySim(const std::string& name, const std::string& destination) {
    return CopyFileA((ProgramFolder() + "sim\\" + name).c_str(), destination.c_str(), FALSE) != 0;
  }

  void StartMainProgram(bool honourQuit) {
    for (const std::string& folder : {runner, product}) ASSERT_TRUE(CopySim("ZMTIPC.dll", folder + "ZMTIPC.dll"));
    ASSERT_TRUE(CopySim("sim_main_program.exe", product + "ZMT9X.EXE"));
    ASSERT_TRUE(WriteWholeFile(product + "ZMTDATA.DAT", "old data"));
    const std::string ini = product + "ZMT9X.ini";
    WritePrivateProfileStringA("Simulation", "ComponentId", "1", ini.c_str());
    WritePrivateProfileStringA("Simulation", "Register", "ipc", ini.c_str());
    WritePrivateProfileStringA("Simulation", "HonourQuit", honourQuit ? "1" : "0", ini.c_str());
    WritePrivateProfileStringA("Simulation", "HoldFile0", (product + "ZMTDATA.DAT").c_str(), ini.c_str());
    ASSERT_TRUE(mainProgram.Start("\"" + product + "ZMT9X.EXE\"", product));
    for (int i = 0; i < 200 && ReadWholeFile(product + "ZMT9X.log").find("ready") == std::string::npos; ++i)
      Sleep(50);
    ASSERT_EQ(ReadWholeFile(product + "ZMT9X.log"), "ready\r\n");

    run.ipcClient = std::make_unique<IpcClient>(runner);
    ProductProcess process;
    process.FileName = process.ReleaseFileName = "ZMT9X.EXE";
    process.ExitType = 1;
    process.UID = 1;
    process.StopParam = "/quit";
    catalog.Processes.push_front(process);
    for (const char* name : {"ZMTDATA.DAT", "ZMT9X.EXE"}) AddItem(name, std::string("new ") + name, product).CallBy = "ZMT9X.EXE,";
    catalog.CallByList = "ZMT9X.EXE,";
  }
};

TEST_F(ProductStopRestart, StoppedProgramIsReplacedInPlace) {
  StartMainProgram(true);
  ASSERT_EQ(CommitUpdate(run, catalog), 1);
  DWORD code = 0;
  EXPECT_TRUE(mainProgram.Wait(0, code));
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.log"), "ready\r\nquit-request\r\nexit\r\n");
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "new ZMT9X.EXE");
  EXPECT_EQ(ReadWholeFile(product + "ZMTDATA.DAT"), "new ZMTDATA.DAT");
  EXPECT_TRUE(Logged(kMsgUpdated, "ZMT9X.EXE", product));
  EXPECT_TRUE(Logged(kMsgUpdated, "ZMTDATA.DAT", product));
  EXPECT_EQ(run.deferredPending, 0);
}

TEST_F(ProductStopRestart, ProgramIgnoringQuitIsWaitedForAndItsFilesReplacedAtRestart) {
  StartMainProgram(false);
  const DWORD begin = GetTickCount();
  ASSERT_EQ(CommitUpdate(run, catalog), 1);
  const DWORD elapsed = GetTickCount() - begin;
  EXPECT_GE(elapsed, 4900u);
  EXPECT_LT(elapsed, 9000u);
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.log"), "ready\r\nquit-request\r\nquit-ignored\r\n");
  EXPECT_TRUE(Logged(kMsgDeferredCompletesOnRestart, "ZMT9X.EXE", product));
  EXPECT_TRUE(Logged(kMsgDeferredCompletesOnRestart, "ZMTDATA.DAT", product));

  mainProgram.Terminate();
  run.ipcClient.reset();
  EXPECT_EQ(ReadWholeFile(product + "ZMTDATA.DAT"), "old data");
  ASSERT_TRUE(SimulateRestart());
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "new ZMT9X.EXE");
  EXPECT_EQ(ReadWholeFile(product + "ZMTDATA.DAT"), "new ZMTDATA.DAT");
}

}  // namespace
