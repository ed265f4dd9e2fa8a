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
  int Parse(const std::vector<std::string>& changes, const std::string& packageDir = "C:\\pkg\\",
            ItemReject* reason = nullptr) {
    Use(ItemSection("S", changes));
    item = UpdateItem();
    item.SectionName = "S";
    return ParseItem(catalog, item, packageDir, machine.Folders(), reason);
  }
  int Read(const std::vector<std::string>& changes) {
    Use(ItemSection("S", changes));
    return ReadItem(catalog, "S", "C:\\pkg", machine.Context());
  }
};

// One section per row: the changes to the complete keys, and the reason the
// item is refused, or for a kept item its paths (when given), type and flags.
struct ParseCase {
  std::vector<std::string> changes;
  ItemReject reason = ItemReject::kNone;
  std::string sourcePath = "", localPath = "";
  std::string packageDir = "C:\\pkg\\";
  uint32_t typeId = 1;  // "Program"
  int32_t reboot = 0, otherFlags = 0;  // UpdateRelative and SharedNeedReboot
};

TEST_F(ItemStep, ParseKeepsSoundItemsAndNamesWhyOthersAreRefused) {
  const std::string longName = "FileName=" + std::string(251, 'n');  // with C:\Skal\ 259 characters
  using enum ItemReject;
  const ParseCase cases[] = {
      // Required keys missing or empty.
      {{"FileName"}, kFileName}, {{"FileName="}, kFileName}, {{"FileSize"}, kFileSize}, {{"FileSize=0"}, kFileSize},
      {{"Version"}, kVersion}, {{"Version="}, kVersion}, {{"CRC"}, kCRC}, {{"Reboot"}, kReboot}, {{"Reboot="}, kReboot},
      {{"RemotePath"}, kRemotePath}, {{"RemotePath="}, kRemotePath}, {{"LocalPath="}, kLocalPath},
      {{"LocalPath=D:\\Other"}, kLocalPath},
      // Names that would leave the package or the installation.
      {{"FileName=..\\..\\AUTOEXEC.BAT"}, kFileName}, {{"FileName=bin/x.dll"}, kFileName},
      {{"FileName=C:\\x.dll"}, kFileName}, {{"FileName=C:x.dll"}, kFileName}, {{"FileName=..."}, kFileName},
      {{"FileName=x.dll:stream"}, kFileName}, {{"FileName=\\x.dll"}, kFileName},
      {{"FileName=sub\\\\x.dll"}, kFileName}, {{"FileName=sub\\"}, kFileName}, {{"FileName=sub\\.."}, kFileName},
      {{"RemotePath=.."}, kRemotePathOutside}, {{"RemotePath=new/../../WINDOWS"}, kRemotePathOutside},
      {{"RemotePath=C:\\WINDOWS"}, kRemotePathOutside}, {{"RemotePath=new\\. .\\x"}, kRemotePathOutside},
      {{"RemotePath=\\new"}, kRemotePathOutside}, {{"RemotePath=/new"}, kRemotePathOutside},
      {{"LocalPath=%PROGRAMDIR\\..\\..\\x%"}, kLocalPathClimbs},
      {{"LocalPath=%PROGRAMDIR\\a/../..%"}, kLocalPathClimbs},
      // Paths are refused rather than cut: the package copy, then the installed file.
      {{"RemotePath=" + std::string(250, 'r')}, kPathLimit},
      {{longName + "n"}, kPathLimit, "", "", "C:\\p\\"},
      {{longName}, kNone, "C:\\p\\" + longName.substr(9), "C:\\Skal\\", "C:\\p\\"},
      // Dots inside names are names like any other; a "." level names the
      // folder itself; a file name may hold sub-folders.
      {{"FileName=..x.dll"}, kNone, "C:\\pkg\\..x.dll"},
      {{"RemotePath=new/.hidden/bin"}, kNone, "C:\\pkg\\new\\.hidden\\bin\\ZMT9X.EXE"},
      {{"LocalPath=%PROGRAMDIR\\a..b%"}, kNone, "", "C:\\Skal\\a..b\\"},
      {{"RemotePath=.\\"}}, {{"RemotePath=./new"}}, {{"RemotePath=new\\."}}, {{"LocalPath=%PROGRAMDIR\\.\\Data%"}},
      {{"FileName=sub\\x.dll", "RemotePath=new"}, kNone, "C:\\pkg\\new\\sub\\x.dll"},
      // Path forms: "." is the package folder itself, "/" reads as a backslash.
      {{"FileName=a.dll"}, kNone, "C:\\pkg\\a.dll", "C:\\Skal\\"},
      {{"FileName=a.dll", "RemotePath=new/bin", "LocalPath=%systemdir%"}, kNone, "C:\\pkg\\new\\bin\\a.dll",
       "C:\\WINDOWS\\SYSTEM\\", "C:\\pkg"},
      {{"RemotePath=new\\", "LocalPath=%PROGRAMDIR\\Data%"}, kNone, "C:\\pkg\\new\\ZMT9X.EXE", "C:\\Skal\\Data\\"},
      // File types by name in any case; an unknown one names none.
      {.changes = {"FileType=program"}, .typeId = 1}, {.changes = {"FileType=sign"}, .typeId = 4},
      {.changes = {"FileType=Driver"}, .typeId = 0},
      // Reboot is false only for FALSE or 0; the other flags are true only
      // for TRUE or 1.
      {.changes = {"Reboot=false", "UpdateRelative=true", "SharedNeedReboot=true"}, .reboot = 0, .otherFlags = 1},
      {.changes = {"Reboot=0", "UpdateRelative=1", "SharedNeedReboot=1"}, .reboot = 0, .otherFlags = 1},
      {.changes = {"Reboot=no", "UpdateRelative=yes", "SharedNeedReboot=yes"}, .reboot = 1, .otherFlags = 0},
      {.changes = {"Reboot=TRUE", "UpdateRelative=2", "SharedNeedReboot=2"}, .reboot = 1, .otherFlags = 0},
  };
  for (const ParseCase& c : cases) {
    const std::string what = c.changes.front();
    ItemReject reason = kFileSize;
    EXPECT_EQ(Parse(c.changes, c.packageDir, &reason), c.reason == kNone ? 1 : 0) << what;
    EXPECT_EQ(reason, c.reason) << what;
    if (c.reason != kNone) continue;
    EXPECT_TRUE(c.sourcePath.empty() || item.SourcePath == c.sourcePath) << what << ": " << item.SourcePath;
    EXPECT_TRUE(c.localPath.empty() || item.LocalPath == c.localPath) << what << ": " << item.LocalPath;
    EXPECT_EQ(item.TypeId, c.typeId) << what;
    EXPECT_EQ(item.Reboot, c.reboot) << what;
    EXPECT_EQ(item.UpdateRelative + item.SharedNeedReboot, 2 * c.otherFlags) << what;
  }
}

TEST_F(ItemStep, DefaultsAndLimits) {
  ASSERT_EQ(Parse({"Version=1.2.3.4.5.6.7.8.9.10.11", "CallBy=" + std::string(300, 'c')}), 1);
  EXPECT_EQ(item.FileSize, 1234);
  EXPECT_EQ(item.CheckVersionMethod + item.UpdateRelative + item.SharedNeedReboot + item.Needed, 0);
  EXPECT_EQ(item.Belong, -1);
  EXPECT_EQ(item.LocalPath, "C:\\Skal\\");
  EXPECT_EQ(item.TypeId, 1u);  // "Program"
  EXPECT_EQ(item.Version, "1.2.3.4.5.6.7.8.9.1");
  EXPECT_EQ(item.CallBy.size(), 259u);
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
