// The commit under Wine: verified replacement, locked files deferred by the
// running family's route, staged names, the database clean-up, and the
// restart routes that cannot be completed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "commit/commit_driver.h"
#include "commit/os_family.h"
#include "engine/file_crc32.h"
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
struct CommitBed {
  std::string product = MakeScratchFolder("product");
  std::string package = MakeScratchFolder("package");
  std::string temp = MakeScratchFolder("temp");
  UpdateRun run;
  UpdateCatalog catalog;

  CommitBed() {
    run.programDir = product;
    run.packageSourceDir = package;
    run.tempDir = temp;
    run.windowsDir = MakeScratchFolder("windows");
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

  // Where the run's log holds message `id` for the file and folder.
  size_t LogAt(unsigned id, const std::string& name, const std::string& folder) const {
    return run.log.text.find(FormatMessageText(LoadMessage(id), {name, folder}));
  }
  bool Logged(unsigned id, const std::string& name, const std::string& folder) const {
    return LogAt(id, name, folder) != std::string::npos;
  }
  bool Logged(unsigned id) const { return run.log.text.find(LoadMessage(id)) != std::string::npos; }
};

class Commit : public ::testing::Test, public CommitBed {};

// The programs Win.ini of `windowsDir` starts with Windows, read as Windows
// reads them (Wine keeps its [windows] section in the registry).
std::string RunValue(const std::string& windowsDir) {
  char value[1024] = {};
  GetPrivateProfileStringA("windows", "Run", "", value, sizeof value, (windowsDir + "Win.ini").c_str());
  return value;
}

// (The superseded databases go at once in the harvested-package scenario;
// which ones go is the native database tables'.)
TEST_F(Commit, ReplacesVerifiedFilesReadOnlyOrInSubFolders) {
  const std::string sub = product + "Engine\\";
  ASSERT_TRUE(WriteWholeFile(product + "ZMT9X.EXE", "old program"));
  SetFileAttributesA((product + "ZMT9X.EXE").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
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
  // No side copy is left behind.
  EXPECT_EQ(FindFileNames(sub + "Bin\\*"), std::vector<std::string>{"ZMTENG.DLL"});
  EXPECT_FALSE(FileExists(product + "ZMT9X.EXE0"));
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
  const size_t failedRun = run.log.text.find(LoadMessage(kMsgFilesUpdateFailed));
  EXPECT_LT(LogAt(kMsgUpdated, "ZMTENG.DLL", product), LogAt(kMsgUpdateFailed, "ZMT9X.EXE", product));
  EXPECT_LT(LogAt(kMsgUpdateFailed, "ZMT9X.EXE", product), failedRun);
  EXPECT_LT(failedRun, run.log.text.find(LoadMessage(kMsgUpdateAgain)));
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
    ASSERT_TRUE(WriteWholeFile(product + "ZMT9X.EXE", "old program"));
    ASSERT_TRUE(HoldFile(holder, product + "ZMT9X.EXE", "none"));
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
  // The family the prefix presents, as SKAL_WINVER chose it.
  const std::string winver = std::getenv("SKAL_WINVER") ? std::getenv("SKAL_WINVER") : "";
  EXPECT_EQ(run.osFamily, winver == "win98" ? kOsFamily9x : winver == "winme" ? kOsFamilyMe : kOsFamilyNt);
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

// A locked file whose replacement nothing will carry out at the restart
// fails with message 14 rather than counting as deferred: in a family that
// is neither 9x nor NT, with a copy program (Me) that cannot be written, or
// with no start file (95/98) that can call the DOS batch, whose files are
// named by the short paths it holds.
TEST(CommitDeferral, ARestartRouteThatCannotBeCompletedFailsItsFile) {
  if (GetFileAttributesA("C:\\Autoexec.bat") != INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "C:\\Autoexec.bat exists";
  for (int32_t family : {kOsFamilyOther, kOsFamilyMe, kOsFamily9x}) {
    SCOPED_TRACE(family);
    CommitBed bed;
    const std::string destination = bed.product + "Long Name.DLL";
    automation::ChildProcess holder;
    ASSERT_TRUE(WriteWholeFile(destination, "old"));
    ASSERT_TRUE(HoldFile(holder, destination, "none"));
    bed.AddItem("Long Name.DLL", "new", bed.product);
    bed.run.osFamily = family;
    ASSERT_TRUE(WriteWholeFile(bed.temp + "CopyFile.EXE", "someone else's"));
    SetFileAttributesA((bed.temp + "CopyFile.EXE").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(CreateDirectoryA((bed.run.windowsDir + "WinStart.bat").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA("C:\\Autoexec.bat", nullptr));
    const std::string runBefore = RunValue(bed.run.windowsDir);

    EXPECT_EQ(CommitUpdate(bed.run, bed.catalog), 1);
    RemoveDirectoryA("C:\\Autoexec.bat");
    const std::string named = family == kOsFamily9x ? ShortPath(destination) : destination;
    const size_t slash = named.rfind('\\') + 1;
    EXPECT_TRUE(bed.Logged(kMsgDeferFailed, named.substr(slash), named.substr(0, slash))) << bed.run.log.text;
    EXPECT_EQ(bed.Logged(kMsgDeferredCompletesOnRestart, "Long Name.DLL", bed.product), family != kOsFamilyOther);
    EXPECT_TRUE(bed.Logged(kMsgFilesUpdateFailed));
    EXPECT_TRUE(bed.Logged(kMsgUpdateAgain));
    EXPECT_EQ(bed.run.restartNeeded, 0);
    EXPECT_EQ(RunValue(bed.run.windowsDir), runBefore) << "a program is set to start with Windows";
  }
}

}  // namespace
