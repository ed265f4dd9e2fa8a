#include <gtest/gtest.h>

#include "app/edition_names.h"
#include "catalog/package_type.h"

namespace {

TEST(PackageType, TextsMapWithoutRegardToCase) {
  EXPECT_EQ(PackageTypeFromText("General_DB"), kGeneralAntivirus);
  EXPECT_EQ(PackageTypeFromText("special_db"), kSpecialAntivirus);
  EXPECT_EQ(PackageTypeFromText("GENERAL_PFW"), kGeneralFirewall);
  EXPECT_EQ(PackageTypeFromText("Special_PFW"), kSpecialFirewall);
  EXPECT_EQ(PackageTypeFromText("Special_PFWX"), kGeneralAntivirus);
  EXPECT_EQ(PackageTypeFromText("Xpecial_DB"), kGeneralAntivirus);
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

}  // namespace
