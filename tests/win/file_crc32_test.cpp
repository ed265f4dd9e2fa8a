#include "engine/file_crc32.h"

#include <gtest/gtest.h>

#include "engine/crc32.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// Starts holdfile.exe, which opens `path` for writing from another process
// with the given share mode, and waits until the handle is open.
HANDLE HoldFromAnotherProcess(const std::string& path, const char* shareMode) {
  std::string command = "\"" + ProgramFolder() + "holdfile.exe\" \"" + path + "\" " + shareMode + " 60";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
  CloseHandle(pi.hThread);
  for (int i = 0; i < 200 && GetFileAttributesA((path + ".ready").c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
  return pi.hProcess;
}

void Release(HANDLE process) {
  TerminateProcess(process, 0);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

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
  std::string bytes(1048579, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char((i * 2654435761u) >> 13);
  ASSERT_TRUE(WriteWholeFile(folder + "big", bytes));
  EXPECT_EQ(FileCrc32(folder + "big"), Crc32Update(0, bytes.data(), bytes.size()));
}

TEST(FileCrc32, FileHeldOpenForWritingByAnotherProcessIsStillRead) {
  std::string folder = MakeScratchFolder("crcheld");
  std::string path = folder + "ZMT9X.EXE";
  ASSERT_TRUE(WriteWholeFile(path, "abc"));
  HANDLE holder = HoldFromAnotherProcess(path, "readwrite");
  ASSERT_NE(holder, nullptr);
  ASSERT_NE(GetFileAttributesA((path + ".ready").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(FileCrc32(path), 0x352441C2u);
  Release(holder);
}

TEST(MatchesCrc, DecimalTextsAsTheCLibraryReadsThem) {
  std::string folder = MakeScratchFolder("match");
  ASSERT_TRUE(WriteWholeFile(folder + "abc", "abc"));
  EXPECT_EQ(MatchesCrc(folder + "abc", "891568578"), 1);
  EXPECT_EQ(MatchesCrc(folder + "abc", " +891568578xyz"), 1);
  EXPECT_EQ(MatchesCrc(folder + "abc", "891568579"), 0);
  // A missing file has CRC 0: it matches 0 and text that reads as 0.
  EXPECT_EQ(MatchesCrc(folder + "missing", "0"), 1);
  EXPECT_EQ(MatchesCrc(folder + "missing", "abc"), 1);
  EXPECT_EQ(MatchesCrc(folder + "missing", "1"), 0);
}

TEST(MatchesCrc, UnsignedAndSignedFormsAgree) {
  // "abcd" has CRC-32 0xED82CD11, above 2^31: its signed form is negative.
  std::string folder = MakeScratchFolder("signed");
  ASSERT_TRUE(WriteWholeFile(folder + "abcd", "abcd"));
  ASSERT_EQ(FileCrc32(folder + "abcd"), 0xED82CD11u);
  EXPECT_EQ(MatchesCrc(folder + "abcd", "3984772369"), 1);
  EXPECT_EQ(MatchesCrc(folder + "abcd", "-310194927"), 1);
}

}  // namespace
