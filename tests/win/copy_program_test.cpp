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
    installA = MakeScratchFolder("copyA");
    installB = MakeScratchFolder("copyB");
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
  std::string installA, installB;
  int staged_ = 0;
};

TEST_F(CopyProgramTest, ReplacesSameNamedFilesAndRestoresTheRunValue) {
  const std::string destA = installA + "LongFileName.DLL", destB = installB + "LongFileName.DLL";
  ASSERT_TRUE(WriteWholeFile(destA, "old A"));
  ASSERT_TRUE(WriteWholeFile(destB, "old B"));
  SetFileAttributesA(destA.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  const std::string stagedA = Defer(destA, "new A");
  const std::string stagedB = Defer(destB, "new B");
  EXPECT_EQ(GetFileAttributesA(destA.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  ASSERT_EQ(PendingCopies(folders).size(), 2u);

  ASSERT_EQ(ArmCopyProgram(folders), 1);
  EXPECT_EQ(Run(), std::string(kUserPrograms) + " " + CopyProgram());
  ASSERT_EQ(ArmCopyProgram(folders), 1);  // armed again: listed once
  EXPECT_EQ(Run(), std::string(kUserPrograms) + " " + CopyProgram());

  EXPECT_EQ(RunCopyProgram(), 0u);
  EXPECT_EQ(ReadWholeFile(destA), "new A");
  EXPECT_EQ(ReadWholeFile(destB), "new B");
  // Copied beside and renamed into place: neither the copy nor the old file stays.
  for (const std::string& left : {destA + "0", destA + ".old", destB + "0", destB + ".old"})
    EXPECT_EQ(GetFileAttributesA(left.c_str()), INVALID_FILE_ATTRIBUTES) << left;
  EXPECT_EQ(GetFileAttributesA(stagedA.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA(stagedB.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA((folders.tempDir + "CopyFile.ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Run(), kUserPrograms);
}

TEST_F(CopyProgramTest, LockedDestinationWaitsForTheNextStart) {
  const std::string dest = installA + "LongFileName.DLL";
  ASSERT_TRUE(WriteWholeFile(dest, "old"));
  const std::string staged = Defer(dest, "new");
  ASSERT_EQ(ArmCopyProgram(folders), 1);
  {
    automation::ChildProcess holder;
    ASSERT_TRUE(HoldFile(holder, dest, "none"));
    EXPECT_EQ(RunCopyProgram(), 1u);
  }
  EXPECT_EQ(ReadWholeFile(staged), "new");
  EXPECT_EQ(ReadWholeFile(dest), "old");
  EXPECT_EQ(GetFileAttributesA((dest + "0").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(PendingCopies(folders).size(), 1u);
  EXPECT_EQ(Run(), std::string(kUserPrograms) + " " + CopyProgram());

  EXPECT_EQ(RunCopyProgram(), 0u);
  EXPECT_EQ(ReadWholeFile(dest), "new");
  EXPECT_EQ(Run(), kUserPrograms);
}

}  // namespace
