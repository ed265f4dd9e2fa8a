#include "commit/copy_program_win.h"

#include <gtest/gtest.h>

#include "win_test_support.h"

using namespace testsupport;

namespace {

// The copy program works in the real Windows folder's Win.ini, as at a start
// of Windows Me; the temporary folder has a long name, as it may.
class CopyProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    folders.windowsDir = std::string(windows) + "\\";
    folders.tempDir = MakeScratchFolder("copy program temp");
    ASSERT_TRUE(WritePrivateProfileStringA("windows", "Run", kUserPrograms, WinIni().c_str()));
  }
  std::string WinIni() const { return folders.windowsDir + "Win.ini"; }
  std::string Run() const {
    char value[1024] = {};
    GetPrivateProfileStringA("windows", "Run", "(none)", value, sizeof value, WinIni().c_str());
    return value;
  }
  std::string CopyProgram() const { return ShortPath(folders.tempDir) + "CopyFile.EXE"; }
  // Stages a new copy of `destination` under a long name and defers it.
  std::string Defer(const std::string& destination, const std::string& content) {
    const std::string staged = folders.tempDir + "LongFileName.DLL" + std::to_string(staged_++);
    EXPECT_TRUE(WriteWholeFile(staged, content));
    EXPECT_EQ(DeferByCopyProgram(folders, destination, staged), 1);
    return staged;
  }
  DWORD RunCopyProgram() {
    automation::ChildProcess program;
    DWORD exitCode = 999;
    EXPECT_TRUE(program.Start(automation::CommandLine(CopyProgram(), {}), "C:\\"));
    EXPECT_TRUE(program.Wait(30000, exitCode));
    return exitCode;
  }

  static constexpr char kUserPrograms[] = "C:\\TOOLS\\CLOCK.EXE C:\\MAIL\\CHECK.EXE";
  RestartFolders folders;
  int staged_ = 0;
};

// Two files of the same name in different folders, one of them read-only and
// hidden, the other still held at the first start: each start replaces what
// it can, a held destination waits for the next, and the last restores the
// Run value.
TEST_F(CopyProgramTest, ReplacesSameNamedFilesAndAHeldOneAtTheNextStart) {
  const std::string destA = MakeScratchFolder("copyA") + "LongFileName.DLL";
  const std::string destB = MakeScratchFolder("copyB") + "LongFileName.DLL";
  ASSERT_TRUE(WriteWholeFile(destA, "old A"));
  ASSERT_TRUE(WriteWholeFile(destB, "old B"));
  SetFileAttributesA(destA.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  const std::string stagedA = Defer(destA, "new A");
  const std::string stagedB = Defer(destB, "new B");
  EXPECT_EQ(GetFileAttributesA(destA.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  ASSERT_EQ(PendingCopies(folders).size(), 2u);

  ASSERT_EQ(ArmCopyProgram(folders), 1);
  ASSERT_EQ(ArmCopyProgram(folders), 1);  // armed again: listed once
  const std::string armed = std::string(kUserPrograms) + " " + CopyProgram();
  EXPECT_EQ(Run(), armed);
  {
    automation::ChildProcess holder;
    ASSERT_TRUE(HoldFile(holder, destB, "none"));
    EXPECT_EQ(RunCopyProgram(), 1u);
  }
  EXPECT_EQ(ReadWholeFile(destA), "new A");
  EXPECT_EQ(ReadWholeFile(destB), "old B");
  EXPECT_EQ(ReadWholeFile(stagedB), "new B");
  EXPECT_EQ(GetFileAttributesA((destB + "0").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(PendingCopies(folders).size(), 1u);
  EXPECT_EQ(Run(), armed);

  EXPECT_EQ(RunCopyProgram(), 0u);
  EXPECT_EQ(ReadWholeFile(destB), "new B");
  // Copied beside and renamed into place: neither the copy nor the old file stays.
  for (const std::string& left : {destA + "0", destA + ".old", destB + "0", destB + ".old", stagedA, stagedB,
                                  folders.tempDir + "CopyFile.ini"})
    EXPECT_EQ(GetFileAttributesA(left.c_str()), INVALID_FILE_ATTRIBUTES) << left;
  EXPECT_EQ(Run(), kUserPrograms);
}

}  // namespace
