// The commit under Wine: verified replacement, locked files deferred by the
// running family's route or failed without a temporary folder, staged names,
// the database clean-up, and the restart routes that cannot be armed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "child_process_win.h"
#include "commit/commit_driver.h"
#include "commit/os_family.h"
#include "engine/file_crc32.h"
#include "held_file_win.h"
#include "log/message_text.h"
#include "paths/folders_win.h"
#include "platform/file_search_win.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// A run ready to commit in scratch folders: an installation, a package with
// the new files, a temporary folder and a Windows folder of its own, and
// items that name them as the catalogue loader would.
class Commit : public ::testing::Test {
 protected:
  std::string product = MakeScratchFolder("product");
  std::string package = MakeScratchFolder("package");
  std::string temp = MakeScratchFolder("temp");
  std::string windows = MakeScratchFolder("windows");
  UpdateRun run;
  UpdateCatalog catalog;

  void SetUp() override {
    run.programDir = product;
    run.packageSourceDir = package;
    run.tempDir = temp;
    run.windowsDir = windows;
    run.catalogTypeMask = 1;
    catalog.Loaded = true;
  }

  // An intact item whose package copy holds `bytes`, put at the head of the
  // list as the loader does; `folder` is its destination folder.
  UpdateItem& AddItem(const std::string& name, const std::string& bytes, const std::string& folder) {
    UpdateItem item;
    item.FileName = name;
    item.LocalPath = folder;
    item.SourcePath = package + name;
    EXPECT_TRUE(WriteWholeFile(item.SourcePath, bytes));
    item.CRC = std::to_string(int32_t(FileCrc32(item.SourcePath)));
    item.SourceState = kSourceIntact;
    item.TypeId = 1;
    item.Needed = 1;
    catalog.Items.push_front(item);
    return catalog.Items.front();
  }

  // The run's log holds message `id` for the file and folder.
  bool Logged(unsigned id, const std::string& name, const std::string& folder) const {
    return run.log.text.find(FormatMessageText(LoadMessage(id), {name, folder})) != std::string::npos;
  }
  bool Logged(unsigned id) const { return run.log.text.find(LoadMessage(id)) != std::string::npos; }
};

// The family the prefix presents, as SKAL_WINVER chose it.
int32_t PrefixFamily() {
  const char* version = std::getenv("SKAL_WINVER");
  const std::string name = version ? version : "";
  if (name == "win98") return kOsFamily9x;
  if (name == "winme") return kOsFamilyMe;
  return kOsFamilyNt;
}

std::vector<std::string> Listing(const std::string& folder) { return FindFileNames(folder + "*"); }

void LayOutDatabases(const std::string& folder) {
  for (const char* name : {"ZMT00000.DAT", "ZMT00002.DAT", "ZMT00003.DAT", "ZMT00000.UPD", "ZMT00001.UPD",
                           "ZMT00003.UPD", "ZMT00004.UPD"})
    ASSERT_TRUE(WriteWholeFile(folder + name, name));
}

TEST_F(Commit, ReplacesVerifiedFilesAndRemovesSupersededDatabasesAtOnce) {
  const std::string sub = product + "Engine\\";
  ASSERT_TRUE(WriteWholeFile(product + "ZMT9X.EXE", "old program"));
  SetFileAttributesA((product + "ZMT9X.EXE").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  LayOutDatabases(product);
  AddItem("ZMT9X.EXE", "new program", product);
  ASSERT_TRUE(CreateDirectoryA((package + "Bin").c_str(), nullptr));
  AddItem("Bin\\ZMTENG.DLL", "new engine", sub).Reboot = 1;

  EXPECT_EQ(CommitUpdate(run, catalog), 1);
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "new program");
  EXPECT_EQ(ReadWholeFile(sub + "Bin\\ZMTENG.DLL"), "new engine");
  EXPECT_TRUE(Logged(kMsgUpdated, "ZMT9X.EXE", product));
  EXPECT_TRUE(Logged(kMsgUpdatedRestart, "Bin\\ZMTENG.DLL", sub));
  EXPECT_TRUE(Logged(kMsgFilesUpdated));
  EXPECT_FALSE(Logged(kMsgUpdateAgain));
  EXPECT_EQ(run.restartNeeded, 1);
  EXPECT_EQ(run.deferredPending, 0);
  // No side copy is left behind; of the databases only the newest full one
  // and the incremental file above it stay.
  EXPECT_EQ(Listing(sub + "Bin\\"), std::vector<std::string>{"ZMTENG.DLL"});
  EXPECT_FALSE(FileExists(product + "ZMT9X.EXE0"));
  for (const char* gone : {"ZMT00000.DAT", "ZMT00002.DAT", "ZMT00000.UPD", "ZMT00001.UPD", "ZMT00003.UPD"})
    EXPECT_FALSE(FileExists(product + gone)) << gone;
  EXPECT_TRUE(FileExists(product + "ZMT00003.DAT"));
  EXPECT_TRUE(FileExists(product + "ZMT00004.UPD"));
}

// Items are committed in list order, the head first (the reverse of the
// catalogue), and a failed one does not stop the rest.
TEST_F(Commit, CopyWithWrongCrcLeavesTheInstalledFileUntouched) {
  ASSERT_TRUE(WriteWholeFile(product + "ZMT9X.EXE", "old program"));
  AddItem("ZMT9X.EXE", "new program", product).CRC = "12345";
  AddItem("ZMTENG.DLL", "new engine", product);

  EXPECT_EQ(CommitUpdate(run, catalog), 1);
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "old program");
  EXPECT_FALSE(FileExists(product + "ZMT9X.EXE0"));
  EXPECT_EQ(ReadWholeFile(product + "ZMTENG.DLL"), "new engine");
  EXPECT_TRUE(Logged(kMsgUpdateFailed, "ZMT9X.EXE", product));
  const size_t engine = run.log.text.find(FormatMessageText(LoadMessage(kMsgUpdated), {"ZMTENG.DLL", product}));
  EXPECT_LT(engine, run.log.text.find(LoadMessage(kMsgFilesUpdateFailed)));
  EXPECT_LT(engine, run.log.text.find(FormatMessageText(LoadMessage(kMsgUpdateFailed), {"ZMT9X.EXE", product})));
  EXPECT_LT(run.log.text.find(LoadMessage(kMsgFilesUpdateFailed)), run.log.text.find(LoadMessage(kMsgUpdateAgain)));
  EXPECT_EQ(run.updateIncomplete, 1);
}

// A hand-off that cannot be written is a failed update (messages 9 and 30,
// and so exit code 1603 unattended), not a success.
TEST_F(Commit, SelfUpdateThatCannotBeWrittenFails) {
  ASSERT_TRUE(WriteWholeFile(product + "ZMT9X.EXE", "old program"));
  AddItem("ZMT9X.EXE", "new program", product);
  run.selfUpdateFirst = 1;
  ASSERT_TRUE(WriteWholeFile(package + "UpdateSelf.DAT", "old"));
  SetFileAttributesA((package + "UpdateSelf.DAT").c_str(), FILE_ATTRIBUTE_READONLY);

  EXPECT_EQ(CommitUpdate(run, catalog), 1);
  SetFileAttributesA((package + "UpdateSelf.DAT").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(Logged(kMsgSelfUpdateWriteFailed));
  EXPECT_TRUE(Logged(kMsgFilesUpdateFailed));
  EXPECT_FALSE(Logged(kMsgFilesUpdated));
  EXPECT_EQ(run.updateIncomplete, 1);
  EXPECT_FALSE(FileExists(package + "Update.inf"));
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "old program");
}

// A file held open by another process cannot be replaced now: the new file
// is staged under the first free number and deferred by the family's route.
class LockedCommit : public Commit {
 protected:
  automation::ChildProcess holder;

  void SetUp() override {
    Commit::SetUp();
    ASSERT_TRUE(WriteWholeFile(product + "ZMT9X.EXE", "old program"));
    ASSERT_TRUE(automation::HoldFile(holder, product + "ZMT9X.EXE", "none"));
  }
};

// An earlier run's staged copy that CopyFile.ini still names stays; one
// that nothing names (a run cut short) is removed.
TEST_F(LockedCommit, LockedFileIsStagedUnderTheFirstFreeNumberAndDeferred) {
  ASSERT_TRUE(WriteWholeFile(temp + "ZMT9X.EXE0", "earlier run"));
  ASSERT_TRUE(WriteWholeFile(temp + "CopyFile.ini",
                             "[ZMT9X.EXE]\r\nsrc=" + temp + "ZMT9X.EXE0\r\ndst=" + product + "ZMT9X.EXE\r\n"));
  ASSERT_TRUE(WriteWholeFile(temp + "ZMT9X.EXE2", "cut short"));
  AddItem("ZMT9X.EXE", "new program", product);

  EXPECT_EQ(CommitUpdate(run, catalog), 1);
  EXPECT_EQ(run.osFamily, PrefixFamily());
  EXPECT_EQ(ReadWholeFile(temp + "ZMT9X.EXE0"), "earlier run");
  EXPECT_EQ(ReadWholeFile(temp + "ZMT9X.EXE1"), "new program");
  EXPECT_FALSE(FileExists(temp + "ZMT9X.EXE2"));
  EXPECT_TRUE(Logged(kMsgDeferredCompletesOnRestart, "ZMT9X.EXE", product));
  EXPECT_TRUE(Logged(kMsgFilesUpdated));
  EXPECT_EQ(run.deferredPending, 1);
  EXPECT_EQ(run.restartNeeded, 0);
  EXPECT_EQ(run.updateIncomplete, 0);
  holder.Terminate();
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "old program");
}

TEST_F(LockedCommit, RestartFlagOfALockedFileAsksForTheRestart) {
  AddItem("ZMT9X.EXE", "new program", product).SharedNeedReboot = 1;
  EXPECT_EQ(CommitUpdate(run, catalog), 1);
  EXPECT_TRUE(Logged(kMsgDeferredRestart, "ZMT9X.EXE", product));
  EXPECT_EQ(run.restartNeeded, 1);
}

// In the commit the temporary folder only receives the staged copy of a
// locked file; when it is missing, that file fails with message 13 and
// stays the old one.
TEST_F(LockedCommit, ALockedFileWithoutTemporaryFolderFailsAndStaysOld) {
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

// A family that is neither 9x nor NT has no way to finish the replacement:
// the file counts as failed rather than as deferred.
TEST_F(LockedCommit, UnknownFamilyFailsTheDeferral) {
  run.osFamily = kOsFamilyOther;
  AddItem("ZMT9X.EXE", "new program", product).Reboot = 1;
  EXPECT_EQ(CommitUpdate(run, catalog), 1);
  EXPECT_TRUE(Logged(kMsgDeferFailed, "ZMT9X.EXE", product));
  EXPECT_TRUE(Logged(kMsgFilesUpdateFailed));
  EXPECT_TRUE(Logged(kMsgUpdateAgain));
  EXPECT_EQ(run.deferredPending, 0);
  EXPECT_EQ(run.restartNeeded, 0);
}

// When the copy program cannot be written, the replacements it would have
// made are reported as failed rather than as waiting for the restart.
TEST_F(Commit, CopyProgramThatCannotBeArmedFailsItsFiles) {
  automation::ChildProcess holder;
  ASSERT_TRUE(WriteWholeFile(product + "Long Name.DLL", "old"));
  ASSERT_TRUE(automation::HoldFile(holder, product + "Long Name.DLL", "none"));
  ASSERT_TRUE(WriteWholeFile(temp + "CopyFile.EXE", "someone else's"));
  SetFileAttributesA((temp + "CopyFile.EXE").c_str(), FILE_ATTRIBUTE_READONLY);
  AddItem("Long Name.DLL", "new", product);
  run.osFamily = kOsFamilyMe;

  EXPECT_EQ(CommitUpdate(run, catalog), 1);
  EXPECT_TRUE(Logged(kMsgDeferredCompletesOnRestart, "Long Name.DLL", product));
  EXPECT_TRUE(Logged(kMsgDeferFailed, "Long Name.DLL", product));
  EXPECT_TRUE(Logged(kMsgFilesUpdateFailed));
  EXPECT_TRUE(Logged(kMsgUpdateAgain));
}

// The same on 95/98 when no start file can call the DOS batch: its files are
// named by the short paths the batch holds.
TEST_F(Commit, DosBatchThatCannotBeArmedFailsItsFiles) {
  if (GetFileAttributesA("C:\\Autoexec.bat") != INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "C:\\Autoexec.bat exists";
  ASSERT_TRUE(CreateDirectoryA("C:\\Autoexec.bat", nullptr));
  ASSERT_TRUE(CreateDirectoryA((windows + "WinStart.bat").c_str(), nullptr));
  automation::ChildProcess holder;
  ASSERT_TRUE(WriteWholeFile(product + "Long Name.DLL", "old"));
  ASSERT_TRUE(automation::HoldFile(holder, product + "Long Name.DLL", "none"));
  AddItem("Long Name.DLL", "new", product);
  run.osFamily = kOsFamily9x;

  EXPECT_EQ(CommitUpdate(run, catalog), 1);
  RemoveDirectoryA("C:\\Autoexec.bat");
  char shortPath[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA((product + "Long Name.DLL").c_str(), shortPath, MAX_PATH), 0u);
  const std::string destination = shortPath;
  const size_t slash = destination.rfind('\\') + 1;
  EXPECT_TRUE(Logged(kMsgDeferFailed, destination.substr(slash), destination.substr(0, slash))) << run.log.text;
  EXPECT_TRUE(Logged(kMsgFilesUpdateFailed));
}

}  // namespace
