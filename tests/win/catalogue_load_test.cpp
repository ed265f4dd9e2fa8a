// A catalogue that cannot be loaded logs message 6 itself, once, so that the
// runner's stop does not log it again (the catalogue's rules are tested
// natively, the stop by the damaged-catalogue scenario).
#include <gtest/gtest.h>

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"
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
