// The CRC-32 of a file on disk: read in pieces, also while another process
// holds it open for writing; 0 for what cannot be read (the sum itself is
// tested natively).
#include "engine/file_crc32.h"

#include <gtest/gtest.h>

#include "engine/crc32.h"
#include "win_test_support.h"

using namespace testsupport;

TEST(FileCrc32, WholeFileInPiecesEvenWhenHeldAndZeroForWhatCannotBeRead) {
  const std::string folder = MakeScratchFolder("crc");
  // 1 MiB + 3 bytes spans several read chunks and a short last one.
  const std::string bytes = Noise(1048579, 1);
  ASSERT_TRUE(WriteWholeFile(folder + "big", bytes));
  automation::ChildProcess holder;
  ASSERT_TRUE(HoldFile(holder, folder + "big", "readwrite"));
  EXPECT_EQ(FileCrc32(folder + "big"), Crc32Update(0, bytes.data(), bytes.size()));
  EXPECT_EQ(FileCrc32(folder + "missing"), 0u);
  EXPECT_EQ(FileCrc32(folder), 0u);
}
