#include "log/update_log.h"

#include <gtest/gtest.h>

#include <regex>

#include "win_test_support.h"

using namespace testsupport;

namespace {

// True when another program could open the file to write it.
bool OpensForWriting(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

class UpdateLogTest : public ::testing::Test {
 protected:
  std::string programDir = MakeScratchFolder("log");
  UpdateLog log{programDir};
  std::string LogPath() const {
    char user[100] = {};
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    return programDir + "LOGS\\" + user + "Update.LOG";
  }
};

const std::regex kHeader("\r\n\\[\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\]\r\n");

// The run writes the log under LOGS with the user's name (the lines' format
// is tested natively) and holds it: each line can be read as soon as it is
// appended, but no other program can write the file until the run ends.
TEST_F(UpdateLogTest, TheRunAppendsToItsLogAndHoldsIt) {
  ASSERT_NE(log.StartRunLog(), 0);
  EXPECT_EQ(log.LogFilePath(), LogPath());
  ASSERT_NE(log.AppendLine("\xCE\xC4\xBC\xFE\xB8\xFC\xD0\xC2\xB3\xC9\xB9\xA6\xA3\xA1"), 0);  // 文件更新成功！
  const std::string bytes = ReadWholeFile(LogPath());
  EXPECT_TRUE(std::regex_match(bytes.substr(0, 25), kHeader)) << bytes;
  EXPECT_EQ(bytes.substr(25), log.text);
  EXPECT_FALSE(OpensForWriting(LogPath()));
  log.EndRunLog();
  EXPECT_TRUE(OpensForWriting(LogPath()));
}

// A log past 1 MiB (the limit is tested natively) moves to ".old" and starts
// again; when that copy fails the old lines stay and the run appends.
TEST_F(UpdateLogTest, LongLogIsRotatedOrKeptWhenTheRotationFails) {
  CreateDirectoryA((programDir + "LOGS").c_str(), nullptr);
  const std::string old(1048577, 'y');
  ASSERT_TRUE(WriteWholeFile(LogPath(), old));
  ASSERT_TRUE(WriteWholeFile(LogPath() + ".old", "an older rotation"));
  ASSERT_NE(log.StartRunLog(), 0);
  log.EndRunLog();
  EXPECT_TRUE(ReadWholeFile(LogPath() + ".old") == old);
  EXPECT_TRUE(std::regex_match(ReadWholeFile(LogPath()), kHeader));

  // A folder in the way of the rotation copy makes the copy fail.
  ASSERT_TRUE(WriteWholeFile(LogPath(), old));
  ASSERT_TRUE(DeleteFileA((LogPath() + ".old").c_str()));
  ASSERT_TRUE(CreateDirectoryA((LogPath() + ".old").c_str(), nullptr));
  UpdateLog again{programDir};
  ASSERT_NE(again.StartRunLog(), 0);
  const std::string bytes = ReadWholeFile(LogPath());
  EXPECT_EQ(bytes.size(), old.size() + 25);
  EXPECT_TRUE(bytes.substr(0, old.size()) == old);
}

// A line after the run's end opens the log itself (making a removed LOGS
// folder again, without a run header) and does not hold it.
TEST_F(UpdateLogTest, LineAfterTheRunRecreatesTheLogWithoutHeader) {
  ASSERT_NE(log.StartRunLog(), 0);
  log.EndRunLog();
  ASSERT_TRUE(DeleteFileA(LogPath().c_str()));
  ASSERT_TRUE(RemoveDirectoryA((programDir + "LOGS").c_str()));
  ASSERT_NE(log.AppendLine("after"), 0);
  std::string bytes = ReadWholeFile(LogPath());
  EXPECT_EQ(bytes.size(), 9u + 5 + 2);
  EXPECT_EQ(bytes.substr(9), "after\r\n");
  EXPECT_TRUE(OpensForWriting(LogPath()));
}

// A log another program holds does not stop the run: its lines reach the
// report, and once the log is free the next line reaches the file.
TEST_F(UpdateLogTest, LockedLogStillReachesTheReport) {
  CreateDirectoryA((programDir + "LOGS").c_str(), nullptr);
  HANDLE held = CreateFileA(LogPath().c_str(), GENERIC_READ, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(log.StartRunLog(), 0);
  EXPECT_EQ(log.AppendLine("kept"), 0);
  CloseHandle(held);
  EXPECT_NE(log.AppendLine("later"), 0);
  EXPECT_NE(log.text.find("kept\r\n"), std::string::npos);
  const std::string bytes = ReadWholeFile(LogPath());
  EXPECT_EQ(bytes.find("kept"), std::string::npos);
  EXPECT_NE(bytes.find("later\r\n"), std::string::npos);
}

TEST_F(UpdateLogTest, OverlongProgramFolderIsRefusedNotCut) {
  std::string deep = programDir + std::string(240 - programDir.size(), 'd') + "\\";
  UpdateLog deepLog{deep};
  EXPECT_EQ(deepLog.LogFilePath(), "");
  EXPECT_EQ(deepLog.StartRunLog(), 0);
  EXPECT_EQ(deepLog.AppendLine("line"), 0);
  EXPECT_NE(deepLog.text.find("line"), std::string::npos);
}

}  // namespace
