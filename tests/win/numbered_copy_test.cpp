#include "commit/copy_whole_file_win.h"

#include <gtest/gtest.h>

#include "win_test_support.h"

using namespace testsupport;

namespace {

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = char((i * 2654435761u) >> 11);
  return bytes;
}

FILETIME LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// Sizes around the 64 KiB piece: empty, one short piece, exactly one, one
// byte over, several and a short last one.
TEST(CopyWholeFile, EveryByteAtSizesAroundThePiece) {
  const std::string folder = MakeScratchFolder("copywhole");
  for (size_t size : {size_t(0), size_t(1), size_t(65535), size_t(65536), size_t(65537), size_t(200003)}) {
    const std::string source = folder + "src" + std::to_string(size);
    ASSERT_TRUE(WriteWholeFile(source, Pattern(size)));
    ASSERT_TRUE(CopyWholeFile(source, folder + "copy"));
    EXPECT_EQ(ReadWholeFile(folder + "copy"), Pattern(size)) << size << " bytes";
  }
}

TEST(CopyWholeFile, ReplacesALongerFileAndKeepsTheSourcesTimeAndAttributes) {
  const std::string folder = MakeScratchFolder("copymeta");
  const std::string source = folder + "new.dll";
  const std::string destination = folder + "old.dll";
  ASSERT_TRUE(WriteWholeFile(source, "new"));
  ASSERT_TRUE(WriteWholeFile(destination, Pattern(100000)));
  const FILETIME past{0x12345678u, 0x01C3A000u};  // a day in 2003
  HANDLE h = CreateFileA(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &past));
  CloseHandle(h);
  ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));

  ASSERT_TRUE(CopyWholeFile(source, destination));
  EXPECT_EQ(ReadWholeFile(destination), "new");
  const FILETIME copied = LastWriteTime(destination);
  EXPECT_EQ(copied.dwLowDateTime, past.dwLowDateTime);
  EXPECT_EQ(copied.dwHighDateTime, past.dwHighDateTime);
  EXPECT_EQ(GetFileAttributesA(destination.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(CopyWholeFile, FailsForAMissingSourceOrAnUnwritableDestination) {
  const std::string folder = MakeScratchFolder("copyfail");
  EXPECT_FALSE(CopyWholeFile(folder + "missing", folder + "copy"));
  EXPECT_EQ(GetFileAttributesA((folder + "copy").c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(WriteWholeFile(folder + "src", "abc"));
  // A destination held open without sharing, as a running program's file is.
  HANDLE held = CreateFileA((folder + "held").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CopyWholeFile(folder + "src", folder + "held"));
  CloseHandle(held);
}

}  // namespace
