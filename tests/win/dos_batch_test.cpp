// The DOS batch's wiring on real files: the destination's attributes made
// normal, short paths, and Attrib, copy and del in place of the mover when it
// cannot be written or its line would be too long for DOS. The text itself is
// tested natively and run in DOSBox by tests/dos, the mover's group by the
// long-name-dos-start scenario.
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

TEST(DosBatch, FallbackGroupWithNormalAttributes) {
  enum Case { kMoverUnwritable, kLineTooLong };
  for (Case c : {kMoverUnwritable, kLineTooLong}) {
    SCOPED_TRACE(c);
    RestartFolders folders;
    folders.windowsDir = ShortFolder();
    folders.tempDir = c == kLineTooLong ? MakeScratchFolder("dos temporary folder") : ShortFolder();
    const std::string install = c == kLineTooLong ? MakeScratchFolder("dos installation folder") : ShortFolder();
    // Two locked files: the second group follows the first.
    std::string expected;
    for (const char* name : {"LongFileName.DLL", "OtherLongName.EXE"}) {
      const std::string destination = install + name, staged = folders.tempDir + name + "0";
      ASSERT_TRUE(WriteWholeFile(destination, "old"));
      ASSERT_TRUE(WriteWholeFile(staged, "new"));
      const DWORD hiding = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
      SetFileAttributesA(destination.c_str(), hiding);
      if (c == kMoverUnwritable) CreateDirectoryA((folders.tempDir + "ZMTMove.EXE").c_str(), nullptr);

      EXPECT_EQ(DeferByDosBatch(folders, destination, folders.tempDir + "NotStaged.DLL0"), 0);
      ASSERT_EQ(DeferByDosBatch(folders, destination, staged), 1);
      EXPECT_EQ(GetFileAttributesA(destination.c_str()) & hiding, 0u);
      expected += FallbackGroup(ShortPath(folders.windowsDir) + "Command\\Attrib", ShortPath(staged),
                                ShortPath(destination));
    }
    EXPECT_EQ(ReadWholeFile(folders.tempDir + "ZMTMove.BAT"), expected);
  }
}

}  // namespace
