// What a commit puts in place and what it cleans up: item qualification, the
// damaged-package rule, the Windows family and the superseded databases.
#include <gtest/gtest.h>

#include <iterator>

#include "commit/commit_selection.h"
#include "commit/os_family.h"
#include "commit/superseded_databases.h"

namespace {

UpdateItem Intact(uint32_t typeId) {
  UpdateItem item;
  item.SourceState = kSourceIntact;
  item.TypeId = typeId;
  item.Needed = 1;
  return item;
}

TEST(CommitSelection, ItemQualifiesOnlyIntactNeededAndOfAListedType) {
  EXPECT_TRUE(ItemQualifies(Intact(4), 6));
  EXPECT_FALSE(ItemQualifies(Intact(1), 6));
  UpdateItem unchecked = Intact(4);
  unchecked.SourceState = 0;
  EXPECT_FALSE(ItemQualifies(unchecked, 6));
  UpdateItem unwanted = Intact(4);
  unwanted.Needed = 0;
  EXPECT_FALSE(ItemQualifies(unwanted, 6));
}

TEST(CommitSelection, OneDamagedCopyMakesThePackageDamaged) {
  std::forward_list<UpdateItem> items{Intact(1), Intact(2)};
  EXPECT_FALSE(PackageDamaged(items));
  EXPECT_FALSE(PackageDamaged({}));
  std::next(items.begin())->SourceState = kSourceDamaged;
  EXPECT_TRUE(PackageDamaged(items));
}

TEST(OsFamily, PlatformAndBuildGiveTheFamily) {
  EXPECT_EQ(OsFamilyOf(1, 0x04000000u | 950), kOsFamily9x);   // Windows 95
  EXPECT_EQ(OsFamilyOf(1, 0x040A08AEu), kOsFamily9x);         // Windows 98 SE
  EXPECT_EQ(OsFamilyOf(1, 0x045A0BB8u), kOsFamilyMe);         // Windows Me
  EXPECT_EQ(OsFamilyOf(2, 2195), kOsFamilyNt);
  EXPECT_EQ(OsFamilyOf(0, 0), kOsFamilyOther);                // Win32s
  EXPECT_EQ(OsFamilyOf(3, 0), kOsFamilyOther);                // CE
}

TEST(OsFamily, WininitTakesStagedNamesOfTwelveCharactersAtMost) {
  EXPECT_TRUE(StagedNameFitsWininit("C:\\WINDOWS\\TEMP\\ZMT9X.EXE0"));
  EXPECT_TRUE(StagedNameFitsWininit("C:\\TEMP\\ZMT00012.DA0"));    // 12
  EXPECT_FALSE(StagedNameFitsWininit("C:\\TEMP\\ZMT00012.DAT0"));  // 13
  // A GBK folder whose last byte is 0x5C does not shorten the name.
  EXPECT_FALSE(StagedNameFitsWininit("C:\\\x95\x5C" "ABCDEFG.DL0"));
}

// Newest full database 3: the full ones below it, then the incremental ones
// up to it, each in ascending order; other names are not touched.
TEST(SupersededDatabases, FullBelowAndIncrementalUpToTheNewest) {
  const std::vector<std::string> listing{"ZMT00003.DAT", "zmt00001.upd", "ZMT00002.DAT", "ZMT00004.UPD",
                                         "ZMT00000.DAT", "ZMT00003.UPD", "ZMTABCDE.DAT", "ZMT00000.UPD",
                                         "ZMT9X.EXE"};
  EXPECT_EQ(SupersededDatabaseNames(listing, 3),
            (std::vector<std::string>{"ZMT00000.DAT", "ZMT00002.DAT", "ZMT00000.UPD", "zmt00001.upd",
                                      "ZMT00003.UPD"}));
}

TEST(SupersededDatabases, WithoutAFullDatabaseOnlyIncrementalZeroGoes) {
  EXPECT_EQ(SupersededDatabaseNames({"ZMT00000.UPD", "ZMT00001.UPD"}, 0), std::vector<std::string>{"ZMT00000.UPD"});
}

}  // namespace
