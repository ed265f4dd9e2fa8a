// The catalogue: the loader's rules, the item step (which sections become
// items, how their keys are read, what becomes of needed, unneeded and
// damaged items) and catalogues built to hurt, over catalogue texts, a
// registry of maps and a recorded machine side of the item step.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "catalog/update_catalog.h"
#include "catalogue_test_support.h"
#include "engine/item_decision_input.h"
#include "engine/item_keys.h"
#include "engine/item_step.h"
#include "procctl/process_stop_record.h"

namespace {

using namespace catalogue_test;

const std::string kInstallKey = "SOFTWARE\\Norvance\\AntiVirus\\V4.0\\Install";

struct Found {
  int result = 0;
  int32_t exitType = 0;
  ProcessStopRecord record;
};

Found Find(const UpdateCatalog& catalog, const std::string& name, const std::string& programDir = "C:\\Skal\\") {
  Found found;
  found.result = catalog.FindProcess(name, programDir, found.record, found.exitType);
  return found;
}

TEST(CatalogueLoader, NothingAnswersBeforeTheTextIsRead) {
  UpdateCatalog catalog;
  FakeMachine machine;
  std::string pathName;
  EXPECT_EQ(catalog.HeaderVersion() + catalog.PathName(pathName), -1);
  EXPECT_EQ(catalog.TypeMask(), 0u);
  EXPECT_EQ(catalog.ReadComponentMask("K", machine.registry), -1);
  EXPECT_EQ(machine.Walk(catalog), 0);
  EXPECT_EQ(Find(catalog, "ZMT9X.EXE").exitType, -1);
  EXPECT_FALSE(catalog.ArchiveFolder(pathName));
}

// The archive's folder must lie below the package folder.
TEST(CatalogueLoader, ArchiveFolderStaysInThePackage) {
  const struct {
    const char* pathName;
    bool below;
  } cases[] = {{"ZMTUPD", true},       {"", true},          {"PKG\\UPD", true},  {"..\\pkg\\ZMTUPD", false},
               {"UPD\\..\\..", false}, {"C:\\UPD", false}, {"\\UPD", false}, {"/UPD", false}};
  for (const auto& c : cases) {
    UpdateCatalog catalog;
    catalog.UseText(std::string("[COMMENT]\r\nPathName=") + c.pathName + "\r\n");
    std::string folder;
    EXPECT_EQ(catalog.ArchiveFolder(folder), c.below) << c.pathName;
  }
}

// The header's package kind, compared without regard to case.
TEST(CatalogueLoader, PacketType) {
  const struct {
    const char* line;
    PackageType type;
  } cases[] = {{"PacketType=General_DB", kGeneralAntivirus}, {"PacketType=special_db", kSpecialAntivirus},
               {"PacketType=GENERAL_PFW", kGeneralFirewall}, {"PacketType=Special_PFW", kSpecialFirewall},
               {"PacketType=Special_PFWX", kGeneralAntivirus}, {"PacketType=Xpecial_DB", kGeneralAntivirus},
               {"PacketType=", kGeneralAntivirus},           {"Version=3", kGeneralAntivirus}};
  for (const auto& c : cases) {
    UpdateCatalog catalog;
    catalog.UseText(std::string("[COMMENT]\r\n") + c.line + "\r\n");
    EXPECT_EQ(catalog.PacketType(), c.type) << c.line;
  }
  EXPECT_TRUE(IsSpecialPackage(kSpecialFirewall) && !IsSpecialPackage(kGeneralFirewall));
}

TEST(CatalogueLoader, FileTypes) {
  const struct {
    std::string text;
    uint32_t mask;
  } cases[] = {
      {"[COMMENT]\r\n", 7},                                                       // built-in types
      {"[FileType]\r\nTypeName0=A\r\nTypeName1=B\r\nDescript1=b\r\n", 7},        // type 0 not taken
      {"[FileType]\r\nTypeName0=A\r\nDescript0=a\r\nTypeName1=B\r\nDescript1=b\r\nTypeName2=C\r\n", 3},
  };
  for (const auto& c : cases) {
    UpdateCatalog catalog;
    catalog.UseText(c.text);
    ASSERT_EQ(catalog.ReadFileTypes(kTypeTexts), 1);
    EXPECT_EQ(catalog.TypeMask(), c.mask) << c.text;
    if (c.mask == 7) {
      EXPECT_EQ(catalog.FileTypes[2].TypeName, "SIGN");
      EXPECT_EQ(catalog.FileTypes[2].Description, "database files");
    }
  }
}

TEST(CatalogueLoader, BuiltInProcessesWhenEntryZeroIsMissing) {
  UpdateCatalog catalog;
  catalog.UseText("[ExitType]\r\nFileName1=Other.EXE\r\n");
  ASSERT_EQ(catalog.ReadProcessList(), 1);
  EXPECT_EQ(catalog.Processes.front().FileName, "ZMT9X.EXE");
  Found zmt = Find(catalog, "zmt9x.exe");
  ASSERT_EQ(zmt.result, 1);
  EXPECT_EQ(zmt.exitType, 1);
  EXPECT_EQ(zmt.record.componentId, 1);
  EXPECT_EQ(zmt.record.stopParam, "/quit");
  EXPECT_EQ(zmt.record.programPath, "C:\\Skal\\ZMT9X.EXE");
  EXPECT_EQ(Find(catalog, "Watcher.exe").record.componentId, 2);
  EXPECT_EQ(Find(catalog, "Other.EXE").result, 0);
}

TEST(CatalogueLoader, ProcessKeysByExitTypeAndTheLaterOfTwoNames) {
  UpdateCatalog catalog;
  catalog.UseText(
      "[ExitType]\r\nFileName0=Svc\r\nExitType0=2\r\nStopParam0=s\r\nUID0=9\r\n"
      "FileName1=Prog\r\nReleaseFileName1=bin\\Prog.exe\r\nStopParam1=/stop\r\nStartParam1=/go\r\nUID1=9\r\n"
      "FileName2=svc\r\nExitType2=3\r\nUID2=4\r\nFileName3=Long\r\nReleaseFileName3=" +
      std::string(250, 'x') + "\r\nFileName4=LongSvc\r\nExitType4=2\r\nReleaseFileName4=" + std::string(250, 'x') +
      "\r\n");
  catalog.ReadProcessList();
  Found prog = Find(catalog, "PROG");
  EXPECT_EQ(prog.record.programPath, "C:\\Skal\\bin\\Prog.exe");
  EXPECT_EQ(prog.record.stopParam + " " + prog.record.startParam, "/stop /go");
  EXPECT_EQ(prog.record.componentId, 0);  // only exit types 1 and 3 have one
  Found svc = Find(catalog, "Svc");
  EXPECT_EQ(svc.exitType, 3);
  EXPECT_EQ(svc.record.componentId, 4);
  const ProductProcess& service = *std::next(catalog.Processes.begin(), 4);
  EXPECT_EQ(service.StopParam + service.StartParam + std::to_string(service.UID), "0");
  // A program path that does not fit the path limit is never cut.
  Found tooLong = Find(catalog, "Long", "C:\\Program Files\\Skal\\");
  EXPECT_EQ(tooLong.result, 0);
  EXPECT_EQ(tooLong.record.programPath, "");
  // A service is stopped by its name, whatever its program's path.
  Found longService = Find(catalog, "LongSvc", "C:\\Program Files\\Skal\\");
  EXPECT_EQ(longService.result, 1);
  EXPECT_EQ(longService.exitType, 2);
}

TEST(CatalogueLoader, ComponentMask) {
  UpdateCatalog catalog;
  catalog.UseText("[Install]\r\nComponentName0=Scan\r\nComponentValue0=1\r\nComponentName1=Mail\r\n"
                  "ComponentValue1=2\r\nComponentName2=Web\r\nComponentValue2=4\r\n");
  FakeRegistry registry;
  EXPECT_EQ(catalog.ReadComponentMask("SOFTWARE\\Norvance\\AntiVirus\\V4.0", registry), -1);
  registry.keys[kInstallKey] = {{"Scan", 1}, {"Mail", 0}, {"Web", 0xFFFFFFFF}};
  EXPECT_EQ(catalog.ReadComponentMask("SOFTWARE\\Norvance\\AntiVirus\\V4.0", registry), 5);
  registry.keys[kInstallKey] = {{"Mail", 0}};
  EXPECT_EQ(catalog.ReadComponentMask("SOFTWARE\\Norvance\\AntiVirus\\V4.0", registry), 0);
  catalog.UseText("[COMMENT]\r\n");  // no component list
  EXPECT_EQ(catalog.ReadComponentMask("SOFTWARE\\Norvance\\AntiVirus\\V4.0", registry), -1);
}

TEST(CatalogueLoader, CallByKeepsTextsNotAlreadyInTheListHoweverLong) {
  UpdateCatalog catalog;
  for (const char* text : {"ZMT9X.EXE,", "zmt9x.exe,", "9X.EXE", "", "Watcher.EXE,"}) catalog.AddCallBy(text);
  EXPECT_EQ(catalog.CallByList, "ZMT9X.EXE,Watcher.EXE,");
  for (int n = 0; n < 300; ++n) catalog.AddCallBy("Process" + std::to_string(n) + ".EXE,");
  EXPECT_GT(catalog.CallByList.size(), 4000u);
  EXPECT_EQ(catalog.CallByList.substr(catalog.CallByList.size() - 15), "Process299.EXE,");
}

TEST(CatalogueLoader, WalkKeepsItemsInReverseFileOrder) {
  UpdateCatalog catalog;
  catalog.UseText("[COMMENT]\r\n" + ItemSection("First", {"CallBy=A.EXE,"}) + ItemSection("Item", {"CallBy=B.EXE,"}) +
                  ItemSection("ITEM1") + ItemSection("item_two") + ItemSection("Third", {"CallBy=a.exe,"}) +
                  ItemSection("first", {"FileName=other"}) + "[Plain]\r\nx=1\r\n");
  FakeMachine machine;
  ASSERT_EQ(machine.Walk(catalog), 1);
  ASSERT_EQ(machine.Walk(catalog), 1);  // a new walk starts from empty lists
  // ITEM followed by anything is never an item; [first] again is [First].
  EXPECT_EQ(SectionsOf(catalog), (std::vector<std::string>{"Third", "Item", "First"}));
  EXPECT_EQ(catalog.CallByList, "A.EXE,B.EXE,");
}

TEST(CatalogueLoader, WalkWithoutAnySectionFails) {
  UpdateCatalog catalog;
  catalog.UseText("x=1\r\n");
  FakeMachine machine;
  EXPECT_EQ(machine.Walk(catalog), 0);
  EXPECT_EQ(catalog.ItemListEmpty(), 1);
  EXPECT_TRUE(catalog.Processes.empty());
}

TEST(CatalogueLoader, SelfUpdateFirstKeepsOnlyTheRunnersOwnFiles) {
  const std::string items = ItemSection("Main") + ItemSection("Self", {"UpdateRelative=true"}) +
                            ItemSection("Skipped", {"UpdateRelative=1"}) + ItemSection("Db");
  for (int flag : {-1, 0, 1}) {  // -1: the key is absent
    UpdateCatalog catalog;
    catalog.UseText("[COMMENT]\r\n" + (flag < 0 ? "" : "NewUpdateSelfFirstFlag=" + std::to_string(flag) + "\r\n") + items);
    FakeMachine machine;
    machine.notNeeded = {"Skipped"};
    ASSERT_EQ(machine.Walk(catalog), 1);
    EXPECT_EQ(catalog.SelfUpdateFirst, flag == 1);
    const std::vector<std::string> kept = flag == 1 ? std::vector<std::string>{"Self"} : std::vector<std::string>{"Db", "Self", "Main"};
    EXPECT_EQ(SectionsOf(catalog), kept);
  }
}

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

// Catalogues built to hurt: thousands of sections, more file types than the
// catalogue holds, and every item value at, just past and far past the
// length it is read with. The walk must finish, keep only sound items and
// never let a value grow past its limit.
const UpdateItem& ItemOf(const UpdateCatalog& catalog, const std::string& section) {
  for (const UpdateItem& item : catalog.Items)
    if (item.SectionName == section) return item;
  static const UpdateItem none;
  return none;
}

TEST(HostileCatalogue, TenThousandSectionsAreWalkedOnceEachInLinearTime) {
  const auto walkOf = [](int sections) {
    std::string text = "[COMMENT]\r\nPacketType=General_DB\r\n";
    for (int n = 0; n < sections; ++n) text += ItemSection("S" + std::to_string(n), {"FileName=F" + std::to_string(n)});
    // The same name again, in another case: walked where it first stands.
    text += ItemSection("s0", {"FileName=OTHER"});
    FakeMachine machine;
    UpdateCatalog catalog;
    catalog.UseText(text);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(machine.Walk(catalog), 1);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(machine.decided.size(), size_t(sections));
    const std::vector<std::string> kept = SectionsOf(catalog);
    EXPECT_EQ(kept.size(), size_t(sections));
    EXPECT_EQ(kept.front(), "S" + std::to_string(sections - 1));  // newest first
    EXPECT_EQ(ItemOf(catalog, "S0").FileName, "F0");  // not the later "s0"
    return took;
  };
  const auto small = walkOf(1000);
  const auto large = walkOf(10000);
  // Ten times the sections may take ten times as long, with room for noise,
  // but not the hundred times of a walk that rescans the text per lookup.
  EXPECT_LT(large, 30 * small + std::chrono::milliseconds(200));
}

TEST(HostileCatalogue, ThirtyOneFileTypesKeepThirtyAndTheLastNamesNone) {
  std::string text = "[FileType]\r\n";
  for (int n = 0; n < 31; ++n) text += "TypeName" + std::to_string(n) + "=T" + std::to_string(n) + "\r\nDescript" +
                                       std::to_string(n) + "=d\r\n";
  text += ItemSection("Thirtieth", {"FileType=t29"}) + ItemSection("ThirtyFirst", {"FileType=T30"});
  FakeMachine machine;
  UpdateCatalog catalog;
  catalog.UseText(text);
  ASSERT_EQ(machine.Walk(catalog), 1);
  EXPECT_EQ(catalog.FileTypes.size(), kMaxFileTypes);
  EXPECT_EQ(catalog.TypeMask(), 0x3FFFFFFFu);
  ASSERT_EQ(SectionsOf(catalog), (std::vector<std::string>{"ThirtyFirst", "Thirtieth"}));
  EXPECT_EQ(ItemOf(catalog, "ThirtyFirst").TypeId, 0u);
  EXPECT_EQ(ItemOf(catalog, "Thirtieth").TypeId, 1u << 29);
}

// What a value of `length` bytes for `key` becomes in the kept item, or
// nullopt when the item is refused.
std::optional<std::string> KeptValue(const ItemTextKey& key, size_t length) {
  const std::string name = key.name;
  std::string value(length, 'v');
  if (name == "UpdateFileFlag" || name == "Reboot" || name == "UpdateRelative" || name == "SharedNeedReboot")
    value.replace(0, 1, "1");
  // A folder below the program folder, written as its macro.
  if (name == "LocalPath") value = "%PROGRAMDIR\\" + std::string(length - 13, 'v') + "%";
  FakeMachine machine;
  UpdateCatalog catalog;
  catalog.UseText(ItemSection("S", {name + "=" + value}));
  EXPECT_EQ(machine.Walk(catalog), 1) << name << " " << length;
  if (catalog.Items.empty()) return std::nullopt;
  const UpdateItem& item = catalog.Items.front();
  EXPECT_TRUE(FitsPathLimit(item.SourcePath) && FitsPathLimit(item.LocalPath + item.FileName)) << name;
  if (name == "FileName") return item.FileName;
  if (name == "Version") return item.Version;
  if (name == "CRC") return item.CRC;
  if (name == "RemotePath") return item.RemotePath;
  if (name == "LocalPath") return item.LocalPath;
  if (name == "CallBy") return item.CallBy;
  return std::string();  // read as a flag, a type or by the decision only
}

TEST(HostileCatalogue, ItemValuesAtAndPastTheirLimits) {
  for (const ItemTextKey& key : item_keys::kAll) {
    const std::string name = key.name;
    const bool path = name == "FileName" || name == "RemotePath" || name == "LocalPath";
    for (size_t length : {size_t(key.limit), size_t(key.limit) + 1, size_t(1) << 20}) {
      const std::optional<std::string> kept = KeptValue(key, length);
      if (name == "UpdateFileFlag") {
        // Longer than "TRUE": no flag, so the section is no item at all.
        EXPECT_FALSE(kept.has_value()) << length;
        continue;
      }
      if (path) {
        // Below C:\pkg\ or C:\Skal\ and with the file name, a path of the
        // whole limit cannot be formed: the item is refused, never cut short.
        EXPECT_FALSE(kept.has_value()) << name << " " << length;
        continue;
      }
      ASSERT_TRUE(kept.has_value()) << name << " " << length;
      if (!kept->empty()) {
        EXPECT_EQ(kept->size(), size_t(key.limit)) << name << " " << length;
      }
    }
  }
}

TEST(HostileCatalogue, NumbersPastTheirRangeAndBrokenLines) {
  const std::string text = "[S]\r\nUpdateFileFlag=1\r\nFileName=A.DLL\r\nFileSize=99999999999999999999\r\n"
                           "Version=1.2\r\nCRC=1\r\nReboot=0\r\nRemotePath=.\r\nBelong=-99999999999\r\n"
                           "no equals sign\r\n=\r\n[\r\n[]\r\n[T\r\nUpdateFileFlag=1\r\n" +
                           std::string(1 << 16, '[') + "\r\n" + std::string(1 << 16, '=') + "\0\r\n";
  FakeMachine machine;
  UpdateCatalog catalog;
  catalog.UseText(text);
  ASSERT_EQ(machine.Walk(catalog), 1);
  for (const UpdateItem& item : catalog.Items) {
    EXPECT_NE(item.FileSize, 0);
    EXPECT_LE(item.FileName.size(), 259u);
  }
}

}  // namespace
