#include "versions/database_names.h"

#include <gtest/gtest.h>

#include <map>

#include "versions/database_run.h"

namespace {

TEST(DatabaseNames, FullAndIncrementalNamesInAnyCase) {
  EXPECT_EQ(IsDatabaseFileName("ZMT00012.DAT"), 1);
  EXPECT_EQ(IsDatabaseFileName("zmt00007.dat"), 1);
  EXPECT_EQ(IsDatabaseFileName("ZMT00012.UPD"), 0);
  EXPECT_EQ(IsDatabaseUpdateName("ZMT00012.UPD"), 1);
  EXPECT_EQ(IsDatabaseUpdateName("Zmt00012.uPd"), 1);
  EXPECT_EQ(IsDatabaseUpdateName("ZMT00012.DAT"), 0);
}

TEST(DatabaseNames, NearMissesAreNotDatabaseNames) {
  for (const char* name : {"ZMT0A012.DAT", "ZMT00012.DATX", "ZMT0012.DAT", "ZMX00012.DAT", "ZMT00012_DAT",
                           "ZMT00012.BAK", "", "ZMT-0012.DAT"}) {
    EXPECT_EQ(IsDatabaseFileName(name), 0) << name;
    EXPECT_EQ(IsDatabaseUpdateName(name), 0) << name;
  }
}

TEST(DatabaseNames, NumberIgnoresPrefixAndExtension) {
  EXPECT_EQ(DatabaseNumberFromName("ZMT00123.DAT"), 123);
  EXPECT_EQ(DatabaseNumberFromName("abc00123xyzw"), 123);
  EXPECT_EQ(DatabaseNumberFromName("ZMT99999.UPD"), 99999);
  EXPECT_EQ(DatabaseNumberFromName("ZMT00123.D"), -1);
  EXPECT_EQ(DatabaseNumberFromName("ZMT0012a.DAT"), -1);
  EXPECT_EQ(DatabaseName(123, ".UPD"), "ZMT00123.UPD");
}

TEST(DatabaseNames, TwinSwapsTheExtensionOfDatabaseNamesOnly) {
  EXPECT_EQ(DatabaseTwinName("ZMT00012.UPD"), "ZMT00012.DAT");
  EXPECT_EQ(DatabaseTwinName("zmt00012.dat"), "zmt00012.UPD");
  EXPECT_EQ(DatabaseTwinName("ZMT9X.EXE"), "ZMT9X.EXE");
}

TEST(DatabaseNames, LatestIsTheHighestFullDatabase) {
  EXPECT_EQ(LatestDatabaseNumber({}), 0);
  EXPECT_EQ(LatestDatabaseNumber({"ZMT00012.DAT", "zmt00031.dat", "ZMT00099.UPD", "ZMT00500.DAT.bak", "ZMT00020.DAT"}),
            31);
}

// A program folder in memory: name -> version; absent names read as 0.
struct Folder {
  std::map<std::string, VersionNumber> files;
  bool Probe(int latest, VersionNumber& version) const {
    return InstalledDatabaseVersion(
        latest,
        [this](const std::string& name) {
          auto it = files.find(name);
          return it == files.end() ? VersionNumber{} : it->second;
        },
        version);
  }
};

TEST(DatabaseRun, UnbrokenRunOfUpdatesAfterTheLatestFullDatabase) {
  Folder folder{{{"ZMT00012.DAT", {1, 12}}, {"ZMT00013.UPD", {1, 13}}, {"ZMT00014.UPD", {1, 14}},
                 {"ZMT00016.UPD", {1, 16}}, {"ZMT00011.UPD", {1, 11}}}};
  VersionNumber version;
  ASSERT_TRUE(folder.Probe(12, version));
  EXPECT_EQ(version, (VersionNumber{1, 14}));

  // An update whose version reads 0 (short or damaged) ends the run too.
  folder.files["ZMT00014.UPD"] = {};
  ASSERT_TRUE(folder.Probe(12, version));
  EXPECT_EQ(version, (VersionNumber{1, 13}));
}

TEST(DatabaseRun, NoVersionWithoutAReadableFullDatabase) {
  Folder folder{{{"ZMT00013.UPD", {1, 13}}}};
  VersionNumber version{5, 5};
  EXPECT_FALSE(folder.Probe(12, version));
  EXPECT_TRUE(version.IsZero());
  // With no full database at all the number is 0: ZMT00000.DAT is read.
  folder.files["ZMT00000.DAT"] = {0, 1};
  EXPECT_TRUE(folder.Probe(0, version));
  EXPECT_EQ(version, (VersionNumber{0, 1}));
}

TEST(DatabaseRun, RunEndsAtTheHighestNumberWithoutWrapping) {
  Folder folder{{{"ZMT99998.DAT", {2, 0}}, {"ZMT99999.UPD", {2, 1}}, {"ZMT00000.UPD", {9, 9}}}};
  VersionNumber version;
  ASSERT_TRUE(folder.Probe(99998, version));
  EXPECT_EQ(version, (VersionNumber{2, 1}));
}

}  // namespace
