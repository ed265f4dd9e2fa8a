#include "commit/wininit_route.h"

#include <gtest/gtest.h>

#include "commit/wininit_blocks.h"
#include "held_file_win.h"
#include "platform/file_system_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string WindowsFolder() {
  char buffer[MAX_PATH] = {};
  GetWindowsDirectoryA(buffer, MAX_PATH);
  return std::string(buffer) + "\\";
}

// Wine's wineboot -r does at the start of a session what a restart does:
// it carries out the [rename] section of the Windows folder's wininit.ini
// (NUL= lines delete) and renames the file to wininit.bak. Started from this
// test it works in the test's own prefix, with the test still running.
bool SimulateRestart() {
  automation::ChildProcess wineboot;
  DWORD exitCode = 1;
  return wineboot.Start("wineboot.exe -r") && wineboot.Wait(60000, exitCode) && exitCode == 0;
}

class WininitRouteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folders.windowsDir = MakeScratchFolder("wininit windows folder");
    folders.tempDir = MakeScratchFolder("wininit temporary folder");
    install = MakeScratchFolder("wininit installation");
  }
  std::string Ini() const { return folders.windowsDir + "wininit.ini"; }
  // An installed file and its staged copy in the temporary folder.
  void Stage(const std::string& name, const std::string& bytes, std::string& destination, std::string& staged) {
    destination = install + name;
    staged = folders.tempDir + name + "0";
    if (!Exists(destination)) {
      ASSERT_TRUE(WriteWholeFile(destination, "old " + name));
    }
    ASSERT_TRUE(WriteWholeFile(staged, bytes));
  }
  std::string TmpOf(const std::string& destination, const std::string& extension) const {
    std::string shortPath = ShortPath(destination);
    return shortPath.substr(0, shortPath.rfind('.') + 1) + extension;
  }

  RestartFolders folders;
  std::string install;
};

TEST_F(WininitRouteTest, LockedFilesAndOldDatabasesAreHandledAtTheRestart) {
  folders.windowsDir = WindowsFolder();
  DeleteFileA(Ini().c_str());
  std::string exe, exeStaged, dll, dllStaged;
  Stage("ZMT9X.EXE", "new exe", exe, exeStaged);
  Stage("ZMT9X.DLL", "new dll", dll, dllStaged);
  automation::ChildProcess holder;
  ASSERT_TRUE(automation::HoldFile(holder, exe, "none"));
  ASSERT_FALSE(CopyFileA(exeStaged.c_str(), exe.c_str(), FALSE));

  ASSERT_EQ(DeferByWininit(SystemFileSystem(), folders, exe, exeStaged), 1);
  ASSERT_EQ(DeferByWininit(SystemFileSystem(), folders, dll, dllStaged), 1);
  // The two share ZMT9X.TMP as a name; the second copy takes ZMT9X.T01.
  EXPECT_EQ(ReadWholeFile(TmpOf(exe, "TMP")), "new exe");
  EXPECT_EQ(ReadWholeFile(TmpOf(dll, "T01")), "new dll");
  // A rerun before the restart writes its copy under a new name, points the
  // move at it and removes the earlier copy.
  Stage("ZMT9X.EXE", "newer exe", exe, exeStaged);
  ASSERT_EQ(DeferByWininit(SystemFileSystem(), folders, exe, exeStaged), 1);
  EXPECT_EQ(ReadWholeFile(TmpOf(exe, "T02")), "newer exe");
  EXPECT_FALSE(Exists(TmpOf(exe, "TMP")));

  const std::string old0 = install + "ZMT00000.DAT", old1 = install + "ZMT00001.UPD", kept = install + "ZMT00001.DAT";
  for (const std::string& file : {old0, old1, kept}) ASSERT_TRUE(WriteWholeFile(file, "database"));
  ASSERT_EQ(ScheduleOldDatabaseRemoval9x(SystemFileSystem(), folders, {old0, install + "ZMT00000.UPD", old1}), 1);
  EXPECT_EQ(ReadWholeFile(Ini()), "\r\n[rename]\r\n" + DeletionBlock({ShortPath(old0), ShortPath(old1)}) +
                                      RouteBlock(ShortPath(dll), TmpOf(dll, "T01")) +
                                      RouteBlock(ShortPath(exe), TmpOf(exe, "T02")));

  holder.Terminate();
  EXPECT_EQ(ReadWholeFile(exe), "old ZMT9X.EXE");
  ASSERT_TRUE(SimulateRestart());
  EXPECT_EQ(ReadWholeFile(exe), "newer exe");
  EXPECT_EQ(ReadWholeFile(dll), "new dll");
  EXPECT_FALSE(Exists(TmpOf(exe, "T02")));
  EXPECT_FALSE(Exists(TmpOf(dll, "T01")));
  EXPECT_FALSE(Exists(old0));
  EXPECT_FALSE(Exists(old1));
  EXPECT_TRUE(Exists(kept));
  EXPECT_FALSE(Exists(Ini()));
  EXPECT_TRUE(Exists(folders.windowsDir + "wininit.bak"));
}

TEST_F(WininitRouteTest, OtherSectionsAndEntriesStayByteForByte) {
  const std::string head = "[boot]\r\nshell=Explorer.exe\r\n[Rename]\r\n";
  const std::string tail = "NUL=C:\\OLD.TXT\r\n[386Enh]\nwoafont=dosapp.fon\n";
  ASSERT_TRUE(WriteWholeFile(Ini(), head + tail));
  std::string exe, staged;
  Stage("Setup.EXE", "new", exe, staged);
  ASSERT_EQ(DeferByWininit(SystemFileSystem(), folders, exe, staged), 1);
  EXPECT_EQ(ReadWholeFile(Ini()), head + RouteBlock(ShortPath(exe), TmpOf(exe, "TMP")) + tail);
  EXPECT_FALSE(Exists(Ini() + ".new"));
}

TEST_F(WininitRouteTest, NothingToDeleteLeavesWininitAlone) {
  EXPECT_EQ(ScheduleOldDatabaseRemoval9x(SystemFileSystem(), folders, {install + "ZMT00000.DAT"}), 1);
  EXPECT_FALSE(Exists(Ini()));
}

}  // namespace
