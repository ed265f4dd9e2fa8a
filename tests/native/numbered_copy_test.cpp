// The side copy beside a file to replace, on the in-memory disk: the first
// free number, every byte across the copy buffer's pieces, the source's time
// and blocking attributes, and failures that leave every file as it was.
#include "commit/numbered_copy.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"

namespace {

const std::string kFolder = "C:\\PROG\\";

std::string Bytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = char(i * 7 + i / 251);
  return bytes;
}

class NumberedCopy : public ::testing::Test {
 protected:
  MemoryFileSystem disk{WindowsFamily::kNt};
  std::string path;

  void SetUp() override { disk.AddFolder(kFolder); }
  std::string Read(const std::string& file) {
    std::string bytes = "(none)";
    disk.Get(file, bytes);
    return bytes;
  }
};

// Empty, one short piece, exactly one 64 KiB piece, one byte over, several
// pieces and a short last one.
TEST_F(NumberedCopy, EveryByteAtSizesAroundThePiece) {
  for (size_t size : {size_t(0), size_t(1), size_t(65535), size_t(65536), size_t(65537), size_t(200003)}) {
    const std::string name = kFolder + "copy" + std::to_string(size) + ".dll";
    disk.Put(kFolder + "src", Bytes(size));
    ASSERT_TRUE(CopyToFirstFreeNumberedPath(disk, kFolder + "src", name, path)) << size;
    EXPECT_EQ(path, name + "0");
    EXPECT_TRUE(Read(path) == Bytes(size)) << size << " bytes";
  }
}

TEST_F(NumberedCopy, TakesTheFirstFreeNumberWhateverTheCaseOfTakenNames) {
  disk.Put(kFolder + "new.dll", "new");
  disk.Put(kFolder + "ZMT9X.EXE0", "zero");
  disk.Put(kFolder + "zmt9x.exe1", "one");
  ASSERT_TRUE(CopyToFirstFreeNumberedPath(disk, kFolder + "new.dll", kFolder + "ZMT9X.EXE", path));
  EXPECT_EQ(path, kFolder + "ZMT9X.EXE2");
  EXPECT_EQ(Read(path), "new");
  EXPECT_EQ(Read(kFolder + "ZMT9X.EXE0"), "zero");
  EXPECT_EQ(Read(kFolder + "zmt9x.exe1"), "one");
}

TEST_F(NumberedCopy, KeepsTheSourcesTimeAndEachBlockingAttribute) {
  const FileTime past{0x12345678u, 0x01C3A000u};
  for (uint32_t blocking : {kAttributeReadOnly, kAttributeHidden, kAttributeSystem}) {
    const std::string source = kFolder + "new" + std::to_string(blocking);
    disk.Put(source, "new");
    {
      OpenFile file(disk, source, FileOpen::kReadWrite);
      ASSERT_TRUE(disk.SetWriteTime(file.Id(), past));
    }
    ASSERT_TRUE(disk.SetAttributes(source, blocking));
    ASSERT_TRUE(CopyToFirstFreeNumberedPath(disk, source, source + ".dll", path));
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(disk.Attributes(path) & blocking, blocking);
    OpenFile copy(disk, path, FileOpen::kRead);
    FileTime copied;
    ASSERT_TRUE(disk.WriteTime(copy.Id(), copied));
    EXPECT_EQ(copied.low, past.low);
    EXPECT_EQ(copied.high, past.high);
  }
}

// A missing source, a folder that does not exist, a name past the path
// buffer: no copy is made and no file changes.
TEST_F(NumberedCopy, FailsWithoutTouchingAnyFile) {
  disk.Put(kFolder + "old.dll0", "kept");
  disk.Put(kFolder + "src", "abc");
  const auto before = disk.Files();
  const struct {
    std::string source, base;
  } failures[] = {
      {kFolder + "missing", kFolder + "old.dll"},
      {kFolder + "src", kFolder + "no\\such\\folder\\x"},
      {kFolder + "src", kFolder + std::string(260, 'n')},
  };
  for (const auto& failure : failures) {
    EXPECT_FALSE(CopyToFirstFreeNumberedPath(disk, failure.source, failure.base, path)) << failure.base;
    EXPECT_EQ(disk.Files().size(), before.size()) << failure.base;
    EXPECT_EQ(Read(kFolder + "old.dll0"), "kept");
  }
}

}  // namespace
