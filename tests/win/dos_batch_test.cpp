#include "commit/dos_batch_win.h"

#include <gtest/gtest.h>

#include "commit/restart_batch_text.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// A folder with a short name, as C:\WINDOWS\TEMP\ is, so that the mover's
// line fits what DOS reads of a batch line.
std::string ShortFolder() {
  static int count = 0;
  const std::string folder = "C:\\D" + std::to_string(++count) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

class DosBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folders.windowsDir = ShortFolder();
    folders.tempDir = ShortFolder();
    install = ShortFolder();
    shortTemp = ShortPath(folders.tempDir);
  }
  std::string Batch() const { return ReadWholeFile(folders.tempDir + "ZMTMove.BAT"); }
  std::string Mover() const { return shortTemp + "ZMTMove.EXE"; }
  std::string StartText() const { return StartFileText(shortTemp + "ZMTMove.BAT", Mover()); }
  // A locked installed file and its staged copy, both with long names.
  void Stage(const std::string& name, std::string& destination, std::string& staged) {
    destination = install + name;
    staged = folders.tempDir + name + "0";
    ASSERT_TRUE(WriteWholeFile(destination, "old"));
    ASSERT_TRUE(WriteWholeFile(staged, "new"));
  }

  RestartFolders folders;
  std::string install, shortTemp;
};

TEST_F(DosBatchTest, GroupsRunTheMoverInDeferralOrder) {
  std::string dest1, staged1, dest2, staged2;
  Stage("LongFileName.DLL", dest1, staged1);
  Stage("OtherLongName.EXE", dest2, staged2);
  SetFileAttributesA(dest1.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  ASSERT_EQ(DeferByDosBatch(folders, dest1, staged1), 1);
  ASSERT_EQ(DeferByDosBatch(folders, dest2, staged2), 1);
  const DWORD hiding = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  EXPECT_EQ(GetFileAttributesA(dest1.c_str()) & hiding, 0u);
  EXPECT_EQ(Batch(), MoverGroup(Mover(), ShortPath(staged1), ShortPath(dest1)) +
                         MoverGroup(Mover(), ShortPath(staged2), ShortPath(dest2)));
  EXPECT_GT(ReadWholeFile(folders.tempDir + "ZMTMove.EXE").size(), 1000u);
}

TEST_F(DosBatchTest, WithoutTheMoverAttribCopyAndDel) {
  std::string dest, staged;
  Stage("LongFileName.DLL", dest, staged);
  ASSERT_TRUE(CreateDirectoryA((folders.tempDir + "ZMTMove.EXE").c_str(), nullptr));  // cannot be written
  ASSERT_EQ(DeferByDosBatch(folders, dest, staged), 1);
  EXPECT_EQ(Batch(), FallbackGroup(ShortPath(folders.windowsDir) + "Command\\Attrib", ShortPath(staged),
                                   ShortPath(dest)));
}

TEST_F(DosBatchTest, MoverLineTooLongForDosFallsBackToShorterLines) {
  folders.tempDir = MakeScratchFolder("dos temporary folder");
  install = MakeScratchFolder("dos installation folder");
  shortTemp = ShortPath(folders.tempDir);
  std::string dest, staged;
  Stage("LongFileName.DLL", dest, staged);
  ASSERT_EQ(MoverGroup(Mover(), ShortPath(staged), ShortPath(dest)), "");
  ASSERT_EQ(DeferByDosBatch(folders, dest, staged), 1);
  EXPECT_EQ(Batch(), FallbackGroup(ShortPath(folders.windowsDir) + "Command\\Attrib", ShortPath(staged),
                                   ShortPath(dest)));
}

TEST_F(DosBatchTest, MissingFilesAreNotDeferred) {
  std::string dest, staged;
  Stage("LongFileName.DLL", dest, staged);
  EXPECT_EQ(DeferByDosBatch(folders, dest, folders.tempDir + "NotStaged.DLL0"), 0);
  EXPECT_EQ(Batch(), "");
}

}  // namespace
