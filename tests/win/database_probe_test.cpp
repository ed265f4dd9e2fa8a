#include "versions/database_probe_win.h"

#include <gtest/gtest.h>

#include "../fixtures/fixture_images.h"
#include "versions/version_texts_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// A database file whose engine version is 2004.3.c.d.
std::string Database(uint8_t c, uint16_t d) { return fixtures::DatabaseImage(0x07D40300u | c, d); }

TEST(FindLatestDatabaseNumber, HighestFullDatabaseFileInAnyCase) {
  std::string folder = MakeScratchFolder("latest");
  EXPECT_EQ(FindLatestDatabaseNumber(folder), 0);
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00007.DAT", Database(7, 0)));
  ASSERT_TRUE(WriteWholeFile(folder + "zmt00012.dat", Database(12, 0)));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00031.UPD", Database(31, 0)));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT0004A.DAT", Database(40, 0)));
  ASSERT_TRUE(CreateDirectoryA((folder + "ZMT00099.DAT").c_str(), nullptr));
  EXPECT_EQ(FindLatestDatabaseNumber(folder), 12);
}

TEST(GetDatabaseVersion, LatestFullDatabaseThenTheUnbrokenRunOfUpdates) {
  std::string folder = MakeScratchFolder("dbrun");
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00012.DAT", Database(12, 0)));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00013.UPD", Database(13, 0)));
  ASSERT_TRUE(WriteWholeFile(folder + "zmt00014.upd", Database(14, 2)));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00016.UPD", Database(16, 0)));
  VersionNumber version;
  EXPECT_EQ(GetDatabaseVersion(folder, version), 1);
  EXPECT_EQ(version, (VersionNumber{2004u << 16 | 3, 14u << 16 | 2}));
  EXPECT_EQ(DatabaseVersionText(folder), "2004.3.14.2");

  // An update too short to hold a version ends the run as a gap does.
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00013.UPD", "short"));
  EXPECT_EQ(DatabaseVersionText(folder), "2004.3.12");
}

TEST(GetDatabaseVersion, NothingFoundGivesZero) {
  std::string folder = MakeScratchFolder("nodb");
  VersionNumber version{1, 1};
  EXPECT_EQ(GetDatabaseVersion(folder, version), 0);
  EXPECT_TRUE(version.IsZero());
  EXPECT_EQ(DatabaseVersionText(folder), "0");
  // A full database too short to read counts as none, whatever follows it.
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00012.DAT", "short"));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00013.UPD", Database(13, 0)));
  EXPECT_EQ(GetDatabaseVersion(folder, version), 0);
  EXPECT_EQ(DatabaseVersionText(folder), "0");
}

}  // namespace
