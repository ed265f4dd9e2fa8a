// Versions read from installed files by check method, and the virus
// database's latest file and its run of updates (their texts are tested
// through the update-info file's version list).
#include "engine/file_versions_win.h"
#include "versions/database_probe_win.h"

#include <gtest/gtest.h>

#include "../fixtures/fixture_images.h"
#include "versions/version_texts_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

TEST(ReadFileVersion, ReaderByMethodAndNothingWithoutAFile) {
  std::string folder = MakeScratchFolder("bymethod");
  ASSERT_TRUE(WriteWholeFile(folder + "header.bin", fixtures::HeaderImage(0x00020003, 0x00040005)));
  ASSERT_TRUE(WriteWholeFile(folder + "short.bin", fixtures::HeaderImage(1, 1, 147)));
  ASSERT_TRUE(CreateDirectoryA((folder + "sub").c_str(), nullptr));
  VersionNumber version;
  EXPECT_TRUE(ReadFileVersion(ProgramFolder() + "verfixture.dll", 0, version));  // has a version resource
  EXPECT_FALSE(ReadFileVersion(folder + "header.bin", 0, version));
  ASSERT_TRUE(ReadFileVersion(folder + "header.bin", 1, version));
  EXPECT_EQ(version, (VersionNumber{0x00020003, 0x00040005}));
  EXPECT_FALSE(ReadFileVersion(folder + "short.bin", 1, version));
  // Methods without a reader succeed with version 0 for any existing file.
  EXPECT_TRUE(ReadFileVersion(folder + "short.bin", 6, version));
  EXPECT_TRUE(version.IsZero());
  for (int method : {0, 1, 6}) {
    EXPECT_FALSE(ReadFileVersion(folder + "missing.bin", method, version)) << method;
    EXPECT_FALSE(ReadFileVersion(folder + "sub", method, version)) << method;
  }
}

// A database file whose engine version is 2004.3.c.d.
std::string Database(uint8_t c, uint16_t d) { return fixtures::DatabaseImage(0x07D40300u | c, d); }

// The highest full database file in any case (the run's rules are tested
// natively), read from disk: an update too short to hold a version ends the
// run, and a full database too short counts as none.
TEST(DatabaseProbe, LatestFullDatabaseAndItsRunOfUpdatesFromDisk) {
  std::string folder = MakeScratchFolder("latest");
  VersionNumber version{1, 1};
  EXPECT_EQ(FindLatestDatabaseNumber(folder), 0);
  EXPECT_EQ(GetDatabaseVersion(folder, version), 0);
  EXPECT_TRUE(version.IsZero());
  EXPECT_EQ(DatabaseVersionText(folder), "0");
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00007.DAT", Database(7, 0)));
  ASSERT_TRUE(WriteWholeFile(folder + "zmt00012.dat", Database(12, 0)));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00031.UPD", Database(31, 0)));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT0004A.DAT", Database(40, 0)));
  ASSERT_TRUE(CreateDirectoryA((folder + "ZMT00099.DAT").c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00013.UPD", Database(13, 0)));
  ASSERT_TRUE(WriteWholeFile(folder + "zmt00014.upd", Database(14, 2)));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00016.UPD", Database(16, 0)));
  EXPECT_EQ(FindLatestDatabaseNumber(folder), 12);
  EXPECT_EQ(GetDatabaseVersion(folder, version), 1);
  EXPECT_EQ(version, (VersionNumber{2004u << 16 | 3, 14u << 16 | 2}));
  EXPECT_EQ(DatabaseVersionText(folder), "2004.3.14.2");

  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00013.UPD", "short"));
  EXPECT_EQ(DatabaseVersionText(folder), "2004.3.12");
  ASSERT_TRUE(WriteWholeFile(folder + "zmt00012.dat", "short"));
  EXPECT_EQ(GetDatabaseVersion(folder, version), 0);
  EXPECT_EQ(DatabaseVersionText(folder), "0");
}

}  // namespace
