// pkgtool extract: the package archive unpacked into a folder with portable
// file I/O, with the runner's checks.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "scratch_folder.h"
#include "archive_members.h"
#include "filetime.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kUnixEpoch = 116444736000000000ull;  // 1970-01-01 in FILETIME ticks
constexpr uint64_t kSecond = 10000000ull;

ArchiveMember Member(const std::string& name, const std::string& folder, const std::string& data) {
  return ::Member(name, folder, data, 0x5A5AA5A5,
                  {kUnixEpoch + 1000 * kSecond, kUnixEpoch + 2000 * kSecond + 5, kUnixEpoch + 3000 * kSecond + 7});
}

class PkgtoolExtract : public ::testing::Test {
 protected:
  std::string WriteArchive(const std::vector<unsigned char>& archive) const {
    WriteBytes(dir_ / "ZMTUPD.DAT", std::string(archive.begin(), archive.end()));
    return (dir_ / "ZMTUPD.DAT").string();
  }
  int Extract(const std::vector<unsigned char>& archive) {
    std::ostringstream out;
    err_.str("");
    return RunExtract({WriteArchive(archive), (dir_ / "dest").string()}, out, err_);
  }

  ScratchFolder scratch_{"pkgtool_extract"};
  const fs::path dir_ = scratch_.Path();
  std::ostringstream err_;
};

TEST_F(PkgtoolExtract, WritesFoldersDataAndTimes) {
  const std::string big(40000, 'b');
  const std::string gbk = "\x81\x5C.txt";  // a trail byte 0x5C stays part of the name
  ASSERT_EQ(Extract(BuildOrFail({Member("A.DAT", "", "aaa"), Member("BIG.BIN", "x\\y", big), Member(gbk, "", "")})), 0)
      << err_.str();
  // Times first: reading the file may move its access time.
  struct stat info;
  ASSERT_EQ(::stat((dir_ / "dest" / "A.DAT").c_str(), &info), 0);
  EXPECT_EQ(info.st_atim.tv_sec, 2000);
  EXPECT_EQ(info.st_atim.tv_nsec, 500);
  EXPECT_EQ(info.st_mtim.tv_sec, 3000);
  EXPECT_EQ(info.st_mtim.tv_nsec, 700);
  EXPECT_EQ(ReadBytes(dir_ / "dest" / "A.DAT"), "aaa");
  EXPECT_EQ(ReadBytes(dir_ / "dest" / "x" / "y" / "BIG.BIN"), big);
  EXPECT_TRUE(fs::exists(dir_ / "dest" / gbk));
}

TEST_F(PkgtoolExtract, RefusesAHostileEntryAndWritesNothingOutside) {
  std::vector<unsigned char> archive = BuildOrFail({Member("A.DAT", "", "a"), Member("B.DAT", "", "b")});
  std::memcpy(archive.data() + RecordOffset(1) + kRecordFolderOffset, "..\\..", 6);
  EXPECT_EQ(Extract(archive), kExitFailed);
  EXPECT_NE(err_.str().find("entry 1"), std::string::npos) << err_.str();
  EXPECT_TRUE(fs::exists(dir_ / "dest" / "A.DAT"));
  size_t entries = std::distance(fs::recursive_directory_iterator(dir_), fs::recursive_directory_iterator());
  EXPECT_EQ(entries, 3u);  // ZMTUPD.DAT, dest, dest/A.DAT
}

// /dev/full takes a small file into the stream's buffer and fails its flush
// at the close; a large one fails while it is written.
TEST_F(PkgtoolExtract, AFailedWriteOrCloseFailsAndNamesTheFile) {
  for (const std::string& data : {std::string("aaa"), std::string(100000, 'b')}) {
    fs::remove_all(dir_ / "dest");
    fs::create_directories(dir_ / "dest");
    fs::create_symlink("/dev/full", dir_ / "dest" / "A.DAT");
    EXPECT_EQ(Extract(BuildOrFail({Member("A.DAT", "", data)})), kExitFailed) << data.size();
    EXPECT_NE(err_.str().find("cannot write the output file " + (dir_ / "dest" / "A.DAT").string()), std::string::npos)
        << err_.str();
  }
}

TEST(FileTimeToUnix, CountsFromTheUnixEpochAndFloorsBeforeIt) {
  UnixTime time;
  ASSERT_TRUE(FileTimeToUnix(kUnixEpoch + 3 * kSecond + 1, time));
  EXPECT_EQ(time.seconds, 3);
  EXPECT_EQ(time.nanoseconds, 100);
  ASSERT_TRUE(FileTimeToUnix(kUnixEpoch - 1, time));  // 100 ns before 1970
  EXPECT_EQ(time.seconds, -1);
  EXPECT_EQ(time.nanoseconds, 999999900);
  ASSERT_TRUE(FileTimeToUnix(0, time));
  EXPECT_EQ(time.seconds, -11644473600);
  EXPECT_FALSE(FileTimeToUnix(0x8000000000000000ull, time));
}

}  // namespace
