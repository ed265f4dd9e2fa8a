#include <gtest/gtest.h>

#include "app/edition_names.h"
#include "app/update_run.h"
#include "catalog/package_type.h"

namespace {

TEST(PackageType, TextsMapWithoutRegardToCase) {
  EXPECT_EQ(PackageTypeFromText("General_DB"), kGeneralAntivirus);
  EXPECT_EQ(PackageTypeFromText("special_db"), kSpecialAntivirus);
  EXPECT_EQ(PackageTypeFromText("GENERAL_PFW"), kGeneralFirewall);
  EXPECT_EQ(PackageTypeFromText("Special_PFW"), kSpecialFirewall);
  EXPECT_EQ(PackageTypeFromText("Special_PFWX"), kGeneralAntivirus);
  EXPECT_EQ(PackageTypeFromText(""), kGeneralAntivirus);
  EXPECT_TRUE(IsSpecialPackage(kSpecialFirewall));
  EXPECT_FALSE(IsSpecialPackage(kGeneralFirewall));
}

TEST(EditionNames, KnownEditionsAndEmptyOutside) {
  EXPECT_STREQ(EditionNamesOf(3).edition, "2003");
  EXPECT_STREQ(EditionNamesOf(3).mainProgram, "ZMT32.EXE");
  EXPECT_STREQ(EditionNamesOf(0).edition, ".NET");
  EXPECT_STREQ(EditionNamesOf(7).edition, "");
  EXPECT_STREQ(EditionNamesOf(-1).mainProgram, "");
}

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
