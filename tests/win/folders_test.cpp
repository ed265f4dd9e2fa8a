#include "paths/folders_win.h"

#include <gtest/gtest.h>

#include "app/update_run.h"
#include "win_test_support.h"

using namespace testsupport;

TEST(InitFolders, FillsEveryFolderWithATrailingBackslash) {
  UpdateRun run;
  ASSERT_EQ(InitFolders(run), 1);
  for (const std::string* folder : {&run.windowsDir, &run.systemDir, &run.currentDir, &run.packageDir, &run.tempDir}) {
    ASSERT_FALSE(folder->empty());
    EXPECT_EQ(folder->back(), '\\') << *folder;
    EXPECT_TRUE(IsFolder(*folder)) << *folder;
  }
  EXPECT_EQ(run.packageDir, ProgramFolder());
  EXPECT_EQ(run.programDir, run.packageDir);
}

TEST(CreateFolderPath, GbkNamesWithTrailByte5C) {
  // "\x95\x5C" is one GBK character whose second byte equals a backslash: the
  // folder must be created under that name, not split into two levels.
  std::string base = MakeScratchFolder("gbk");
  std::string folder = base + "\xB2\xE2\x95\x5C" "dir";
  EXPECT_EQ(CreateFolderPath(folder), 0);
  EXPECT_TRUE(IsFolder(folder));
}

TEST(FileExists, OnlyFilesCount) {
  std::string base = MakeScratchFolder("exists");
  ASSERT_TRUE(WriteWholeFile(base + "f.txt", "x"));
  EXPECT_EQ(FileExists(base + "f.txt"), 1);
  EXPECT_EQ(FileExists(base), 0);
  EXPECT_EQ(FileExists(base + "missing.txt"), 0);
  EXPECT_EQ(FileExists(base + "*.txt"), 0);
}
