// The catalogue with real files and the real registry: component values under
// either root, and the log of a full load.
#include <gtest/gtest.h>

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "engine/file_crc32.h"
#include "engine/run_decision.h"
#include "log/message_text.h"
#include "platform/registry_reader_win.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

TEST(CatalogueFiles, ComponentValuesUnderEitherRoot) {
  UpdateCatalog catalog;
  catalog.UseText("[Install]\r\nComponentName0=Scan\r\nComponentValue0=1\r\nComponentName1=Mail\r\n"
                  "ComponentValue1=2\r\nComponentName2=Text\r\nComponentValue2=4\r\n");
  WindowsRegistryReader registry;
  const std::string key = "SOFTWARE\\Norvance\\AntiVirus\\V4.0";
  EXPECT_EQ(catalog.ReadComponentMask(key, registry), -1);
  // Under the current user only; a value longer than 4 bytes does not count.
  ASSERT_TRUE(SetDword(HKEY_CURRENT_USER, key + "\\Install", "Scan", 1));
  ASSERT_TRUE(SetDword(HKEY_CURRENT_USER, key + "\\Install", "Mail", 7));
  ASSERT_TRUE(sim::SetRegistryString(HKEY_CURRENT_USER, key + "\\Install", "Text", "installed"));
  EXPECT_EQ(catalog.ReadComponentMask(key, registry), 3);
  // A key under the local machine is read alone.
  ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, key + "\\Install", "Mail", 1));
  EXPECT_EQ(catalog.ReadComponentMask(key, registry), 2);
}

class CatalogueLoad : public ::testing::Test {
 protected:
  UpdateRun run;
  UpdateCatalog catalog;

  void SetUp() override {
    run.packageDir = run.packageFilesDir = MakeScratchFolder("pkg");
    run.tempDir = MakeScratchFolder("tmp");
    run.programDir = MakeScratchFolder("product");
    run.productRegKey = "SOFTWARE\\Norvance\\AntiVirus\\V4.0";
    ASSERT_NE(run.log.StartRunLog(), 0);
  }
  int Load() {
    return catalog.LoadCatalogue(run.packageDir + "index.dat", run, [](const UpdateCatalog&, UpdateItem& item) {
      return int(item.Needed = 1);
    });
  }
};

TEST_F(CatalogueLoad, TheRunsDecisionKeepsExactlyTheNeededItemsInReverseFileOrder) {
  // Installed: same.dll equals the package copy, old.dll differs, other.dll
  // belongs to a component that is not installed. The package copy of
  // lost.dll is missing; it is needed, so message 5 names it.
  for (const char* name : {"same.dll", "old.dll", "other.dll", "lost.dll"})
    ASSERT_TRUE(WriteWholeFile(run.programDir + name, "installed"));
  for (const char* name : {"same.dll", "old.dll", "other.dll"})
    ASSERT_TRUE(WriteWholeFile(run.packageDir + name, std::string("installed") + (name[0] == 's' ? "" : "!")));
  const std::string sameCrc = std::to_string(FileCrc32(run.packageDir + "same.dll"));
  const std::string newCrc = std::to_string(FileCrc32(run.packageDir + "old.dll"));
  std::string text = "[Install]\r\nComponentName0=Scan\r\nComponentValue0=1\r\n";
  auto item = [&](const std::string& name, const std::string& crc, const char* belong) {
    text += "[" + name + "]\r\nUpdateFileFlag=1\r\nFileName=" + name + "\r\nFileSize=10\r\nVersion=1\r\nCRC=" + crc +
            "\r\nReboot=0\r\nRemotePath=.\r\nCheckVersionMethod=3\r\nBelong=" + belong + "\r\n";
  };
  item("same.dll", sameCrc, "1");
  item("old.dll", newCrc, "1");
  item("other.dll", newCrc, "2");
  item("lost.dll", newCrc, "-1");
  ASSERT_TRUE(WritePacked(run.packageDir + "index.dat", text));
  ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, run.productRegKey + "\\Install", "Scan", 1));

  ASSERT_EQ(catalog.LoadCatalogue(run.packageDir + "index.dat", run, DecisionForRun(run)), 1);
  std::vector<std::string> kept;
  for (const UpdateItem& entry : catalog.Items) kept.push_back(entry.SectionName);
  EXPECT_EQ(kept, (std::vector<std::string>{"lost.dll", "old.dll"}));
  const std::string format = LoadMessage(kMsgSourceDamaged);
  EXPECT_NE(run.log.text.find(FormatMessageText(format, {run.packageDir + "lost.dll"})), std::string::npos);
  EXPECT_EQ(run.log.text.find("same.dll"), std::string::npos);
  EXPECT_EQ(run.log.text.find("other.dll"), std::string::npos);
}

TEST_F(CatalogueLoad, UnloadableCatalogueLogsMessage6) {
  EXPECT_EQ(Load(), 0);
  ASSERT_TRUE(WritePacked(run.packageDir + "index.dat", "no section at all\r\n"));
  EXPECT_EQ(Load(), 0);
  const std::string line = LoadMessage(kMsgCatalogueDamaged) + "\r\n";
  ASSERT_FALSE(LoadMessage(kMsgCatalogueDamaged).empty());
  EXPECT_NE(run.log.text.find(line), run.log.text.rfind(line)) << "logged once per failure";
}

}  // namespace
