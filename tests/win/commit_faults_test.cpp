// Faults during the commit that need no drive of their own: a destination
// folder that is missing or cannot be made, and a temporary folder that does
// not exist. Each time no installed file may be lost or left half-written,
// the failure must be reported with its message, and nothing reported as
// success. (An error or a kill at each file call is covered natively by
// tests/native/commit_fault_test.cpp.)
#include <windows.h>

#include "commit/commit_driver.h"
#include "commit_fixture.h"
#include "fault_run_win.h"
#include "held_file_win.h"
#include "paths/folders_win.h"
#include "resources/message_ids.h"

using namespace testsupport;

namespace {

// ---- destination folders ----

class DestinationFolder : public FaultRun {
 protected:
  std::string product = MakeScratchFolder("dest") + "Skal\\";
  std::string report = MakeScratchFolder("report") + "r.txt";

  void SetUp() override {
    FaultRun::SetUp();
    ASSERT_TRUE(CreateDirectoryA(product.c_str(), nullptr));
  }
};

// A folder that cannot be made (a file stands where a level of it should
// be): that file fails with message 13 and the run with 30 and 32; the file
// in the way and the other files stay as they are, no side copy is left.
TEST_F(DestinationFolder, AFolderThatCannotBeMadeFailsItsFileAndTheRun) {
  BuildPackage({{"Plugin.DAT", "plugin 1.0.0.1", "%PROGRAMDIR\\Blocker\\Deep%"}});
  Install(product);
  ASSERT_TRUE(WriteWholeFile(product + "Blocker", "a file, not a folder"));
  EXPECT_EQ(RunUnattended(report), 1603u);
  EXPECT_EQ(ReadWholeFile(product + "Blocker"), "a file, not a folder");
  EXPECT_EQ(ReadWholeFile(product + "ZMEngine.DAT"), kNewEngine);  // nothing is rolled back
  const std::string text = ReadWholeFile(report);
  EXPECT_TRUE(Holds(text, kMsgStagingFailed, {"Plugin.DAT", product + "Blocker\\Deep\\"})) << text;
  EXPECT_TRUE(Holds(text, kMsgFilesUpdateFailed)) << text;
  EXPECT_TRUE(Holds(text, kMsgUpdateAgain)) << text;
  EXPECT_FALSE(Holds(text, kMsgFilesUpdated)) << text;
}

// ---- the temporary folder ----

// The catalogue is expanded into the temporary folder; when that folder
// does not exist the run stops before the commit with message 6 and exit
// code 1603, and changes no installed file. With the folder back, the same
// package updates.
TEST_F(DestinationFolder, AMissingTemporaryFolderStopsTheRunBeforeAnyFileChanges) {
  BuildPackage({{"Plugin.DAT", "plugin 1.0.0.1", ""}});
  Install(product);
  {
    TempFolderNamed temp(MakeScratchFolder("gone") + "no such folder");
    EXPECT_EQ(RunUnattended(report), 1603u);
  }
  EXPECT_EQ(ReadWholeFile(report), RunnerText(kMsgCatalogueDamaged) + "\r\n");
  EXPECT_EQ(ReadWholeFile(product + "ZMEngine.DAT"), kInstalledEngine);
  EXPECT_FALSE(FileExists(product + "Plugin.DAT"));
  EXPECT_EQ(RunUnattended(report), 0u);
  EXPECT_EQ(ReadWholeFile(product + "Plugin.DAT"), "plugin 1.0.0.1");
}

// In the commit the temporary folder only receives the staged copy of a
// locked file; when it is missing, that file fails with message 13 and
// stays the old one.
class LockedWithoutTemp : public CommitFixture {};

TEST_F(LockedWithoutTemp, ALockedFileWithoutTemporaryFolderFailsAndStaysOld) {
  automation::ChildProcess holder;
  ASSERT_TRUE(WriteWholeFile(product + "ZMT9X.EXE", "old program"));
  ASSERT_TRUE(automation::HoldFile(holder, product + "ZMT9X.EXE", "none"));
  run.tempDir = temp + "missing\\";
  AddItem("ZMT9X.EXE", "new program", product);
  AddItem("ZMTENG.DLL", "new engine", product);

  EXPECT_EQ(CommitUpdate(run, catalog), 1);
  EXPECT_TRUE(Logged(kMsgStagingFailed, "ZMT9X.EXE", product));
  EXPECT_TRUE(Logged(kMsgUpdated, "ZMTENG.DLL", product));
  EXPECT_TRUE(Logged(kMsgFilesUpdateFailed));
  EXPECT_TRUE(Logged(kMsgUpdateAgain));
  EXPECT_FALSE(Logged(kMsgFilesUpdated));
  EXPECT_EQ(run.deferredPending, 0);
  holder.Terminate();
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "old program");
  EXPECT_FALSE(FileExists(product + "ZMT9X.EXE0"));
}

}  // namespace
