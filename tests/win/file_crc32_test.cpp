#include "engine/file_crc32.h"

#include <gtest/gtest.h>

#include "child_process_win.h"
#include "engine/crc32.h"
#include "held_file_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

TEST(FileCrc32, WholeFileAndFailures) {
  std::string folder = MakeScratchFolder("crc");
  ASSERT_TRUE(WriteWholeFile(folder + "abc", "abc"));
  ASSERT_TRUE(WriteWholeFile(folder + "empty", ""));
  EXPECT_EQ(FileCrc32(folder + "abc"), 0x352441C2u);
  EXPECT_EQ(FileCrc32(folder + "empty"), 0u);
  EXPECT_EQ(FileCrc32(folder + "missing"), 0u);
  EXPECT_EQ(FileCrc32(folder), 0u);
}

TEST(FileCrc32, LargeFileReadInPiecesGivesTheWholeCrc) {
  // 1 MiB + 3 bytes spans several read chunks and a short last one.
  std::string folder = MakeScratchFolder("crcbig");
  const std::string bytes = Noise(1048579, 1);
  ASSERT_TRUE(WriteWholeFile(folder + "big", bytes));
  EXPECT_EQ(FileCrc32(folder + "big"), Crc32Update(0, bytes.data(), bytes.size()));
}

TEST(FileCrc32, FileHeldOpenForWritingByAnotherProcessIsStillRead) {
  std::string folder = MakeScratchFolder("crcheld");
  std::string path = folder + "ZMT9X.EXE";
  ASSERT_TRUE(WriteWholeFile(path, "abc"));
  automation::ChildProcess holder;
  ASSERT_TRUE(automation::HoldFile(holder, path, "readwrite"));
  EXPECT_EQ(FileCrc32(path), 0x352441C2u);
}

}  // namespace
