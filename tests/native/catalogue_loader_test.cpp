// The catalogue loader's rules over a catalogue text and a fake registry.
#include <gtest/gtest.h>

#include "catalogue_test_support.h"
#include "procctl/process_stop_record.h"

using namespace catalogue_test;

namespace {

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
  for (int flag : {0, 1}) {
    UpdateCatalog catalog;
    catalog.UseText("[COMMENT]\r\nNewUpdateSelfFirstFlag=" + std::to_string(flag) + "\r\n" + items);
    FakeMachine machine;
    machine.notNeeded = {"Skipped"};
    ASSERT_EQ(machine.Walk(catalog), 1);
    EXPECT_EQ(catalog.SelfUpdateFirst, flag == 1);
    const std::vector<std::string> kept = flag ? std::vector<std::string>{"Self"} : std::vector<std::string>{"Db", "Self", "Main"};
    EXPECT_EQ(SectionsOf(catalog), kept);
  }
}

}  // namespace
