// The item step: which sections become items, how their keys are read, and
// what becomes of needed, unneeded and damaged items.
#include <gtest/gtest.h>

#include "catalogue_test_support.h"
#include "engine/item_decision_input.h"

using namespace catalogue_test;

namespace {

class ItemStep : public ::testing::Test {
 protected:
  FakeMachine machine;
  UpdateCatalog catalog;
  UpdateItem item;

  void Use(const std::string& text) {
    catalog.UseText(text);
    catalog.ReadFileTypes(kTypeTexts);
  }
  // Parses section "S" made of the changes and the complete keys.
  int Parse(const std::vector<std::string>& changes, const std::string& packageDir = "C:\\pkg\\") {
    Use(ItemSection("S", changes));
    item = UpdateItem();
    item.SectionName = "S";
    return ParseItem(catalog, item, packageDir, machine.Folders());
  }
  int Read(const std::vector<std::string>& changes) {
    Use(ItemSection("S", changes));
    return ReadItem(catalog, "S", "C:\\pkg", machine.Context());
  }
};

TEST_F(ItemStep, RequiredKeysMissingOrEmptyReject) {
  ASSERT_EQ(Parse({}), 1);
  for (const char* change : {"FileName", "FileName=", "FileSize", "FileSize=0", "Version", "Version=", "CRC",
                             "Reboot", "Reboot=", "RemotePath", "RemotePath=", "LocalPath=", "LocalPath=D:\\Other"})
    EXPECT_EQ(Parse({change}), 0) << change;
}

TEST_F(ItemStep, DefaultsLimitsAndFileTypes) {
  ASSERT_EQ(Parse({"Version=1.2.3.4.5.6.7.8.9.10.11", "CallBy=" + std::string(300, 'c')}), 1);
  EXPECT_EQ(item.FileSize, 1234);
  EXPECT_EQ(item.CheckVersionMethod + item.UpdateRelative + item.SharedNeedReboot + item.Needed, 0);
  EXPECT_EQ(item.Belong, -1);
  EXPECT_EQ(item.LocalPath, "C:\\Skal\\");
  EXPECT_EQ(item.TypeId, 1u);  // "Program"
  EXPECT_EQ(item.Version, "1.2.3.4.5.6.7.8.9.1");
  EXPECT_EQ(item.CallBy.size(), 259u);
  for (auto [type, id] : {std::pair<const char*, uint32_t>{"program", 1}, {"sign", 4}, {"Driver", 0}}) {
    ASSERT_EQ(Parse({std::string("FileType=") + type}), 1);
    EXPECT_EQ(item.TypeId, id) << type;
  }
}

TEST_F(ItemStep, FlagsFollowTheirOwnRules) {
  // Reboot is false only for FALSE or 0; the others are true only for TRUE or 1.
  const struct {
    const char *reboot, *other;
    int32_t rebootValue, otherValue;
  } cases[] = {{"false", "true", 0, 1}, {"0", "1", 0, 1}, {"no", "yes", 1, 0}, {"TRUE", "2", 1, 0}};
  for (const auto& c : cases) {
    ASSERT_EQ(Parse({std::string("Reboot=") + c.reboot, std::string("UpdateRelative=") + c.other,
                     std::string("SharedNeedReboot=") + c.other}),
              1);
    EXPECT_EQ(item.Reboot, c.rebootValue) << c.reboot;
    EXPECT_EQ(item.UpdateRelative + item.SharedNeedReboot, 2 * c.otherValue) << c.other;
  }
}

TEST_F(ItemStep, PathForms) {
  ASSERT_EQ(Parse({"FileName=a.dll"}), 1);
  EXPECT_EQ(item.RemotePath, "");
  EXPECT_EQ(item.SourcePath, "C:\\pkg\\a.dll");
  ASSERT_EQ(Parse({"FileName=a.dll", "RemotePath=new/bin", "LocalPath=%systemdir%"}, "C:\\pkg"), 1);
  EXPECT_EQ(item.SourcePath, "C:\\pkg\\new\\bin\\a.dll");
  EXPECT_EQ(item.LocalPath, "C:\\WINDOWS\\SYSTEM\\");
  ASSERT_EQ(Parse({"RemotePath=new\\", "LocalPath=%PROGRAMDIR\\Data%"}), 1);
  EXPECT_EQ(item.SourcePath, "C:\\pkg\\new\\ZMT9X.EXE");
  EXPECT_EQ(item.LocalPath, "C:\\Skal\\Data\\");
  // Paths are refused rather than cut: the package copy, then the installed file.
  EXPECT_EQ(Parse({"RemotePath=" + std::string(250, 'r')}), 0);
  const std::string longName = "FileName=" + std::string(240, 'n');
  machine.programDir = "C:\\" + std::string(20, 'p') + "\\";
  EXPECT_EQ(Parse({longName}, "C:\\p\\"), 0);
  EXPECT_EQ(Parse({longName, "LocalPath=%WINDIR%"}, "C:\\p\\"), 1);
  // A file name may hold sub-folders below both folders.
  ASSERT_EQ(Parse({"FileName=sub\\x.dll", "RemotePath=new"}), 1);
  EXPECT_EQ(item.SourcePath, "C:\\pkg\\new\\sub\\x.dll");
}

// The decision's input is the parsed item, the installed components and,
// for method 7 only, the section's OldVersion.
TEST_F(ItemStep, DecisionInputCarriesTheParsedItem) {
  const struct {
    std::string method, oldVersionKey, expected;
  } cases[] = {
      {"3", "OldVersion=2004.3.1", "ZMT9X.EXE|C:\\Skal\\|1.2.3.4|3735928559|3|6|0|4|D:\\Run\\"},
      {"7", "OldVersion=2004.3.1", "ZMT9X.EXE|C:\\Skal\\|1.2.3.4|3735928559|7|6|2004.3.1|4|D:\\Run\\"},
      {"7", "OldVersion", "ZMT9X.EXE|C:\\Skal\\|1.2.3.4|3735928559|7|6|0|4|D:\\Run\\"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Parse({"CheckVersionMethod=" + c.method, "Belong=6", c.oldVersionKey}), 1);
    catalog.ComponentMask = 4;
    const DecisionInput in = MakeDecisionInput(catalog, item, "D:\\Run\\");
    EXPECT_EQ(in.FileName + "|" + in.LocalPath + "|" + in.Version + "|" + in.CRC + "|" +
                  std::to_string(in.CheckVersionMethod) + "|" + std::to_string(in.Belong) + "|" + in.OldVersion + "|" +
                  std::to_string(in.ComponentMask) + "|" + in.programDir,
              c.expected);
  }
}

TEST_F(ItemStep, OnlyTrueOrOneMakesASectionAnItem) {
  machine.intactCopies = {"C:\\pkg\\ZMT9X.EXE"};
  for (const char* flag : {"UpdateFileFlag=true", "UpdateFileFlag=1"}) {
    EXPECT_EQ(Read({flag}), 1);
    EXPECT_EQ(catalog.Items.front().SourceState, kSourceIntact) << flag;
    catalog.ClearItems();
  }
  for (const char* flag : {"UpdateFileFlag=yes", "UpdateFileFlag=FALSE", "UpdateFileFlag"})
    EXPECT_EQ(Read({flag, "FileName"}), 1);  // not even parsed
  EXPECT_EQ(Read({"FileName"}), 0);
  EXPECT_EQ(catalog.ItemListEmpty(), 1);
  EXPECT_TRUE(machine.log.empty());
}

TEST_F(ItemStep, DamagedPackageCopyIsLoggedAndKept) {
  machine.intactCopies = {"C:\\pkg\\Good.dll"};
  Use(ItemSection("Good", {"FileName=Good.dll"}) + ItemSection("Bad", {"FileName=Bad.dll"}));
  ReadItem(catalog, "Good", "C:\\pkg\\", machine.Context());
  ReadItem(catalog, "Bad", "C:\\pkg\\", machine.Context());
  ASSERT_EQ(SectionsOf(catalog), (std::vector<std::string>{"Bad", "Good"}));
  EXPECT_EQ(catalog.Items.front().SourceState, kSourceDamaged);
  EXPECT_EQ(machine.log, (std::vector<std::string>{"missing C:\\pkg\\Bad.dll"}));
}

TEST_F(ItemStep, UnneededItemLeavesNoTrace) {
  machine.notNeeded = {"S"};
  catalog.NewUpdateSelfFirstFlag = 1;
  EXPECT_EQ(Read({"CallBy=ZMT9X.EXE,", "UpdateRelative=1"}), 1);
  EXPECT_EQ(catalog.ItemListEmpty(), 1);
  EXPECT_EQ(catalog.CallByList, "");
  EXPECT_TRUE(machine.log.empty());  // though its package copy is missing too
  EXPECT_FALSE(catalog.SelfUpdateFirst);
}

}  // namespace
