// Expanding a packed file on disk: the whole file replaces an older one, or
// nothing is written (the stream's rules are tested natively with depack).
#include "package/unpack_file.h"

#include <gtest/gtest.h>

#include <string>

#include "win_test_support.h"

using namespace testsupport;

namespace {

// Stream for "xxxxx": a literal, a long block at offset 1 of length 4, the end.
const std::string kStream("x\xA3\x01\x00\x00", 5);

// A packed file: 72 header bytes (the two fields at 48 and 68), then the stream.
std::string PackedFile(uint32_t unpackedSize, const std::string& stream = kStream) {
  std::string file(72, '\x5A');
  auto put = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = char(v >> (8 * i));
  };
  put(48, 72);
  put(68, unpackedSize);
  return file + stream;
}

TEST(UnpackFile, WritesTheWholeFileOrLeavesTheDestinationAlone) {
  const std::string folder = MakeScratchFolder("unpack");
  ASSERT_TRUE(WriteWholeFile(folder + "index.dat", PackedFile(5)));
  ASSERT_TRUE(WriteWholeFile(folder + "index.txt", std::string(4000, 'o')));
  EXPECT_EQ(UnpackFile(folder + "index.dat", folder + "index.txt"), 1);
  EXPECT_EQ(ReadWholeFile(folder + "index.txt"), "xxxxx");

  const struct {
    const char* source;
    std::string bytes;
    const char* destination;
  } failures[] = {
      {"cut.dat", PackedFile(5, kStream.substr(0, 4)), "index.txt"},
      {"short.dat", PackedFile(5).substr(0, 71), "index.txt"},
      {"missing.dat", "", "index.txt"},
      {"index.dat", PackedFile(5), "no such folder\\index.txt"},
  };
  for (const auto& failure : failures) {
    if (!failure.bytes.empty()) {
      ASSERT_TRUE(WriteWholeFile(folder + failure.source, failure.bytes));
    }
    EXPECT_EQ(UnpackFile(folder + failure.source, folder + failure.destination), 0) << failure.source;
    EXPECT_EQ(ReadWholeFile(folder + "index.txt"), "xxxxx") << failure.source;
  }
}

// Sizes this 32-bit process cannot allocate: past what a vector may hold, and
// half the address space.
TEST(UnpackFile, UnobtainableOutputSizeFailsInsteadOfCrashing) {
  if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit build can allocate these sizes";
  const std::string folder = MakeScratchFolder("unpackhuge");
  for (uint32_t size : {0xFFFFFFF0u, 0x7FFFFFF0u}) {
    ASSERT_TRUE(WriteWholeFile(folder + "huge.dat", PackedFile(size)));
    EXPECT_EQ(UnpackFile(folder + "huge.dat", folder + "huge.txt"), 0) << size;
  }
}

}  // namespace
