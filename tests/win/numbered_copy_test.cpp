#include "commit/numbered_copy.h"

#include <gtest/gtest.h>

#include "platform/file_system_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// Sizes around the 64 KiB piece: empty, one short piece, exactly one, one
// byte over, several and a short last one.
TEST(CopyToFirstFreeNumberedPath, EveryByteAtSizesAroundThePiece) {
  const std::string folder = MakeScratchFolder("numcopy");
  for (size_t size : {size_t(0), size_t(1), size_t(65535), size_t(65536), size_t(65537), size_t(200003)}) {
    const std::string source = folder + "src" + std::to_string(size);
    ASSERT_TRUE(WriteWholeFile(source, Noise(size, 1)));
    std::string path;
    ASSERT_TRUE(CopyToFirstFreeNumberedPath(SystemFileSystem(), source, folder + "copy" + std::to_string(size) + ".dll", path));
    EXPECT_EQ(path, folder + "copy" + std::to_string(size) + ".dll0");
    EXPECT_EQ(ReadWholeFile(path), Noise(size, 1)) << size << " bytes";
  }
}

TEST(CopyToFirstFreeNumberedPath, TakesTheFirstFreeNumberAndLeavesTakenNamesAlone) {
  const std::string folder = MakeScratchFolder("numfree");
  ASSERT_TRUE(WriteWholeFile(folder + "new.dll", "new"));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT9X.EXE0", "zero"));
  ASSERT_TRUE(WriteWholeFile(folder + "zmt9x.exe1", "one"));  // names compare without regard to case
  std::string path;
  ASSERT_TRUE(CopyToFirstFreeNumberedPath(SystemFileSystem(), folder + "new.dll", folder + "ZMT9X.EXE", path));
  EXPECT_EQ(path, folder + "ZMT9X.EXE2");
  EXPECT_EQ(ReadWholeFile(path), "new");
  EXPECT_EQ(ReadWholeFile(folder + "ZMT9X.EXE0"), "zero");
  EXPECT_EQ(ReadWholeFile(folder + "zmt9x.exe1"), "one");
}

TEST(CopyToFirstFreeNumberedPath, KeepsTheSourcesTimeAndBlockingAttributes) {
  const std::string folder = MakeScratchFolder("nummeta");
  const std::string source = folder + "new.dll";
  ASSERT_TRUE(WriteWholeFile(source, "new"));
  const FILETIME past{0x12345678u, 0x01C3A000u};  // a day in 2003
  HANDLE h = CreateFileA(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &past));
  CloseHandle(h);
  ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));

  std::string path;
  ASSERT_TRUE(CopyToFirstFreeNumberedPath(SystemFileSystem(), source, folder + "old.dll", path));
  EXPECT_EQ(ReadWholeFile(path), "new");
  WIN32_FILE_ATTRIBUTE_DATA copied{};
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &copied));
  EXPECT_EQ(copied.ftLastWriteTime.dwLowDateTime, past.dwLowDateTime);
  EXPECT_EQ(copied.ftLastWriteTime.dwHighDateTime, past.dwHighDateTime);
  EXPECT_EQ(copied.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A failure creates nothing and removes nothing: a missing source, a folder
// that does not exist, a name past the path buffer.
TEST(CopyToFirstFreeNumberedPath, FailsWithoutTouchingAnyFile) {
  const std::string folder = MakeScratchFolder("numfail");
  ASSERT_TRUE(WriteWholeFile(folder + "old.dll0", "kept"));
  std::string path;
  EXPECT_FALSE(CopyToFirstFreeNumberedPath(SystemFileSystem(), folder + "missing", folder + "old.dll", path));
  EXPECT_EQ(ReadWholeFile(folder + "old.dll0"), "kept");
  EXPECT_EQ(GetFileAttributesA((folder + "old.dll1").c_str()), INVALID_FILE_ATTRIBUTES);

  ASSERT_TRUE(WriteWholeFile(folder + "src", "abc"));
  EXPECT_FALSE(CopyToFirstFreeNumberedPath(SystemFileSystem(), folder + "src", folder + "no\\such\\folder\\x", path));
  EXPECT_FALSE(CopyToFirstFreeNumberedPath(SystemFileSystem(), folder + "src", folder + std::string(MAX_PATH, 'n'), path));
}

}  // namespace
