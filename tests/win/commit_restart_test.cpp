// Deferred replacements carried out by a restart: the commit defers a file
// held open by another process and schedules the superseded databases'
// removal, the holder ends (as every program does when Windows restarts) and
// `wineboot -r` performs Wine's restart-time work (delayed moves and deletes
// on NT, Wininit.ini's [rename] section on 9x) in the same prefix.
#include <gtest/gtest.h>

#include "child_process_win.h"
#include "commit/commit_driver.h"
#include "commit_fixture.h"
#include "held_file_win.h"
#include "paths/folders_win.h"
#include "resources/message_ids.h"

using namespace testsupport;

namespace {

// Runs Wine's restart-time processing and waits for it; true when it ran.
bool SimulateRestart() {
  automation::ChildProcess boot;
  DWORD code = 1;
  return boot.Start("wineboot.exe -r") && boot.Wait(60000, code) && code == 0;
}

// Wine reads Wininit.ini from the real Windows folder.
class CommitRestart : public CommitFixture {
 protected:
  void SetUp() override {
    CommitFixture::SetUp();
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    run.windowsDir = std::string(folder) + "\\";
  }
};

TEST_F(CommitRestart, DeferredFileAndDatabaseRemovalTakeEffectAtRestart) {
  for (const char* name : {"ZMT00001.DAT", "ZMT00002.DAT", "ZMT00002.UPD"})
    ASSERT_TRUE(WriteWholeFile(product + name, name));
  ASSERT_TRUE(WriteWholeFile(product + "ZMT9X.EXE", "old program"));
  automation::ChildProcess holder;
  ASSERT_TRUE(automation::HoldFile(holder, product + "ZMT9X.EXE", "none"));
  AddItem("ZMT9X.EXE", "new program", product);

  ASSERT_EQ(CommitUpdate(run, catalog), 1);
  ASSERT_TRUE(Logged(kMsgDeferredCompletesOnRestart, "ZMT9X.EXE", product));
  holder.Terminate();
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "old program");
  EXPECT_TRUE(FileExists(product + "ZMT00001.DAT"));

  ASSERT_TRUE(SimulateRestart());
  EXPECT_EQ(ReadWholeFile(product + "ZMT9X.EXE"), "new program");
  EXPECT_FALSE(FileExists(product + "ZMT00001.DAT"));
  EXPECT_FALSE(FileExists(product + "ZMT00002.UPD"));
  EXPECT_TRUE(FileExists(product + "ZMT00002.DAT"));
}

}  // namespace
