#pragma once
// A run ready to commit in scratch folders: an installation, a package with
// the new files, a temporary folder and a Windows folder of its own, and
// items that name them as the catalogue loader would.
#include <gtest/gtest.h>

#include <string>

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "engine/file_crc32.h"
#include "log/message_text.h"
#include "platform/ui_win.h"
#include "win_test_support.h"

namespace testsupport {

class CommitFixture : public ::testing::Test {
 protected:
  std::string product = MakeScratchFolder("product");
  std::string package = MakeScratchFolder("package");
  std::string temp = MakeScratchFolder("temp");
  std::string windows = MakeScratchFolder("windows");
  UpdateRun run;
  UpdateCatalog catalog;

  void SetUp() override {
    run.programDir = product;
    run.packageSourceDir = package;
    run.tempDir = temp;
    run.windowsDir = windows;
    run.catalogTypeMask = 1;
    catalog.Loaded = true;
  }

  // An intact item whose package copy holds `bytes`, put at the head of the
  // list as the loader does; `folder` is its destination folder.
  UpdateItem& AddItem(const std::string& name, const std::string& bytes, const std::string& folder) {
    UpdateItem item;
    item.FileName = name;
    item.LocalPath = folder;
    item.SourcePath = package + name;
    EXPECT_TRUE(WriteWholeFile(item.SourcePath, bytes));
    item.CRC = std::to_string(int32_t(FileCrc32(item.SourcePath)));
    item.SourceState = kSourceIntact;
    item.TypeId = 1;
    item.Needed = 1;
    catalog.Items.push_front(item);
    return catalog.Items.front();
  }

  // The run's log holds message `id` for the file and folder.
  bool Logged(unsigned id, const std::string& name, const std::string& folder) const {
    return run.log.text.find(FormatMessageText(LoadMessage(id), {name, folder})) != std::string::npos;
  }
  bool Logged(unsigned id) const { return run.log.text.find(LoadMessage(id)) != std::string::npos; }
};

}  // namespace testsupport
