// The DOS batch's wiring on real files: the destination's attributes made
// normal, short paths, the mover written out, and the group chosen (the
// mover's, or Attrib, copy and del when the mover cannot be written or its
// line would be too long for DOS). The text itself is tested natively, and
// run in DOSBox by tests/dos.
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

TEST(DosBatch, MoverGroupOrFallbackWithNormalAttributes) {
  enum Case { kMover, kMoverUnwritable, kLineTooLong };
  for (Case c : {kMover, kMoverUnwritable, kLineTooLong}) {
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
      const std::string mover = ShortPath(folders.tempDir) + "ZMTMove.EXE";
      if (c == kMover) {
        expected += MoverGroup(mover, ShortPath(staged), ShortPath(destination));
        EXPECT_GT(ReadWholeFile(mover).size(), 1000u);
      } else {
        expected += FallbackGroup(ShortPath(folders.windowsDir) + "Command\\Attrib", ShortPath(staged),
                                  ShortPath(destination));
      }
    }
    EXPECT_EQ(ReadWholeFile(folders.tempDir + "ZMTMove.BAT"), expected);
  }
}

}  // namespace
