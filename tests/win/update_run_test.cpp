// The run state holds the log and the update-info file, whose work is done
// by Windows; it is tested here, under Wine.
#include "app/update_run.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateRun, ResetKeepsFoldersAndTheInstallation) {
  UpdateRun run;
  run.packageDir = "C:\\pkg\\";
  run.packageSourceDir = "C:\\pkg\\";
  run.programDir = "C:\\Skal\\";
  run.productVersionIndex = 3;
  run.productRegKey = "SOFTWARE\\Norvance\\AntiVirus\\V4.0";
  run.packageFilesDir = "C:\\pkg\\";
  run.restartNeeded = run.updateIncomplete = run.deferredPending = run.selfUpdateFirst = 1;
  run.osFamily = 3;
  run.catalogTypeMask = 7;

  run.ResetForRun(1);

  EXPECT_EQ(run.showVersionReport, 1);
  EXPECT_EQ(run.packageFilesDir, "");
  EXPECT_EQ(run.restartNeeded + run.updateIncomplete + run.deferredPending + run.selfUpdateFirst, 0);
  EXPECT_EQ(run.osFamily, -1);
  EXPECT_EQ(run.catalogTypeMask, 0u);
  EXPECT_EQ(run.packageDir, "C:\\pkg\\");
  EXPECT_EQ(run.packageSourceDir, "C:\\pkg\\");
  EXPECT_EQ(run.programDir, "C:\\Skal\\");
  EXPECT_EQ(run.productVersionIndex, 3);
  EXPECT_EQ(run.productRegKey, "SOFTWARE\\Norvance\\AntiVirus\\V4.0");
}

}  // namespace
