// The catalogue on a real system: a catalogue that cannot be loaded logs
// message 6 itself, once, so that the runner's stop does not log it again;
// the installed components' values come from the registry. (The rules are
// tested natively, the stop by the damaged-catalogue scenario.)
#include <gtest/gtest.h>

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "platform/registry_reader_win.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

TEST(CatalogueLoad, UnloadableCatalogueLogsMessage6Once) {
  UpdateRun run;
  run.packageDir = run.packageFilesDir = MakeScratchFolder("pkg");
  run.tempDir = MakeScratchFolder("tmp");
  run.programDir = MakeScratchFolder("product");
  ASSERT_NE(run.log.StartRunLog(), 0);
  UpdateCatalog catalog;
  const auto anyItem = [](const UpdateCatalog&, UpdateItem& item) { return int(item.Needed = 1); };
  EXPECT_EQ(catalog.LoadCatalogue(run.packageDir + "index.dat", run, anyItem), 0);
  const std::string line = LoadMessage(kMsgCatalogueDamaged) + "\r\n";
  ASSERT_NE(line, "\r\n");
  EXPECT_NE(run.log.text.find(line), std::string::npos);
  EXPECT_EQ(run.log.text.find(line), run.log.text.rfind(line));
  run.log.EndRunLog();
}

// The key under the local machine, else the current user's; only 4-byte
// values count.
TEST(ComponentValues, UnderEitherRoot) {
  UpdateCatalog catalog;
  catalog.UseText("[Install]\r\nComponentName0=Scan\r\nComponentValue0=1\r\nComponentName1=Mail\r\n"
                  "ComponentValue1=2\r\nComponentName2=Text\r\nComponentValue2=4\r\n");
  WindowsRegistryReader registry;
  const std::string key = "SOFTWARE\\Norvance\\AntiVirus\\V4.0";
  EXPECT_EQ(catalog.ReadComponentMask(key, registry), -1);
  ASSERT_TRUE(SetDword(HKEY_CURRENT_USER, key + "\\Install", "Scan", 1));
  ASSERT_TRUE(SetDword(HKEY_CURRENT_USER, key + "\\Install", "Mail", 7));
  ASSERT_TRUE(sim::SetRegistryString(HKEY_CURRENT_USER, key + "\\Install", "Text", "installed"));
  EXPECT_EQ(catalog.ReadComponentMask(key, registry), 3);
  // A key under the local machine is read alone.
  ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, key + "\\Install", "Mail", 1));
  EXPECT_EQ(catalog.ReadComponentMask(key, registry), 2);
  sim::RemoveProductKeys();
}
