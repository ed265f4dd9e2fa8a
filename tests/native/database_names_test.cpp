#include "versions/database_names.h"

#include <gtest/gtest.h>

#include <map>

#include "versions/database_run.h"

namespace {

TEST(DatabaseNames, FullAndIncrementalNamesInAnyCase) {
  EXPECT_EQ(IsDatabaseFileName("ZMT00012.DAT"), 1);
  EXPECT_EQ(IsDatabaseFileName("zmt00007.dat"), 1);
  EXPECT_EQ(IsDatabaseUpdateName("Zmt00012.uPd"), 1);
  EXPECT_EQ(IsDatabaseFileName("ZMT00012.UPD"), 0);
  EXPECT_EQ(IsDatabaseUpdateName("ZMT00012.DAT"), 0);
  for (const char* name : {"ZMT0A012.DAT", "ZMT00012.DATX", "ZMT0012.DAT", "ZMX00012.DAT", "ZMT00012_DAT", ""})
    EXPECT_EQ(IsDatabaseFileName(name), 0) << name;
  EXPECT_EQ(DatabaseTwinName("ZMT00012.UPD"), "ZMT00012.DAT");
  EXPECT_EQ(DatabaseTwinName("zmt00012.dat"), "zmt00012.UPD");
  EXPECT_EQ(DatabaseTwinName("ZMT9X.EXE"), "ZMT9X.EXE");
}

TEST(DatabaseNames, NumberIgnoresPrefixAndExtension) {
  EXPECT_EQ(DatabaseNumberFromName("abc00123xyzw"), 123);
  EXPECT_EQ(DatabaseNumberFromName("ZMT99999.UPD"), 99999);
  EXPECT_EQ(DatabaseNumberFromName("ZMT00123.D"), -1);
  EXPECT_EQ(DatabaseNumberFromName("ZMT0012a.DAT"), -1);
  EXPECT_EQ(LatestDatabaseNumber({}), 0);
  EXPECT_EQ(LatestDatabaseNumber({"ZMT00012.DAT", "zmt00031.dat", "ZMT00099.UPD", "ZMT00500.DAT.bak"}), 31);
}

// A program folder in memory: name -> version; absent names read as 0.
VersionNumber Probe(int latest, const std::map<std::string, VersionNumber>& files, bool expectFound = true) {
  VersionNumber version{5, 5};
  auto read = [&files](const std::string& name) {
    auto it = files.find(name);
    return it == files.end() ? VersionNumber{} : it->second;
  };
  EXPECT_EQ(InstalledDatabaseVersion(latest, read, version), expectFound);
  return version;
}

TEST(DatabaseRun, UnbrokenRunOfUpdatesAfterTheLatestFullDatabase) {
  std::map<std::string, VersionNumber> files{{"ZMT00012.DAT", {1, 12}}, {"ZMT00013.UPD", {1, 13}},
                                             {"ZMT00014.UPD", {1, 14}}, {"ZMT00016.UPD", {1, 16}},
                                             {"ZMT00011.UPD", {1, 11}}};
  EXPECT_EQ(Probe(12, files), (VersionNumber{1, 14}));
  files["ZMT00014.UPD"] = {};  // unreadable: ends the run like the gap at 15
  EXPECT_EQ(Probe(12, files), (VersionNumber{1, 13}));
}

TEST(DatabaseRun, NoVersionWithoutAReadableFullDatabase) {
  EXPECT_TRUE(Probe(12, {{"ZMT00013.UPD", {1, 13}}}, false).IsZero());
  EXPECT_EQ(Probe(0, {{"ZMT00000.DAT", {0, 1}}}), (VersionNumber{0, 1}));
}

TEST(DatabaseRun, RunEndsAtTheHighestNumberWithoutWrapping) {
  EXPECT_EQ(Probe(99998, {{"ZMT99998.DAT", {2, 0}}, {"ZMT99999.UPD", {2, 1}}, {"ZMT00000.UPD", {9, 9}}}),
            (VersionNumber{2, 1}));
}

}  // namespace
