#include "engine/item_decision_input.h"

#include <gtest/gtest.h>

#include "catalog/update_catalog.h"

namespace {

UpdateItem ItemOfMethod(int method) {
  UpdateItem item;
  item.SectionName = "Db";
  item.FileName = "ZMT00012.DAT";
  item.LocalPath = "C:\\Skal\\";
  item.Version = "2004.3.7";
  item.CRC = "-1";
  item.CheckVersionMethod = method;
  item.Belong = 6;
  return item;
}

TEST(MakeDecisionInput, CarriesTheItemAndTheInstalledComponents) {
  UpdateCatalog catalog;
  catalog.UseText("[Db]\r\nOldVersion=2004.3.1\r\n");
  catalog.ComponentMask = 4;
  DecisionInput input = MakeDecisionInput(catalog, ItemOfMethod(3), "C:\\Skal\\");
  EXPECT_EQ(input.FileName, "ZMT00012.DAT");
  EXPECT_EQ(input.LocalPath, "C:\\Skal\\");
  EXPECT_EQ(input.Version, "2004.3.7");
  EXPECT_EQ(input.CheckVersionMethod, 3);
  EXPECT_EQ(input.CRC, "-1");
  EXPECT_EQ(input.Belong, 6);
  EXPECT_EQ(input.ComponentMask, 4);
  EXPECT_EQ(input.programDir, "C:\\Skal\\");
  // Only method 7 compares against the section's OldVersion.
  EXPECT_EQ(input.OldVersion, "0");
}

TEST(MakeDecisionInput, MethodSevenReadsOldVersionOfItsSection) {
  UpdateCatalog catalog;
  catalog.UseText("[Db]\r\nOldVersion=2004.3.1\r\n[Other]\r\nOldVersion=9\r\n");
  EXPECT_EQ(MakeDecisionInput(catalog, ItemOfMethod(7), "C:\\Skal\\").OldVersion, "2004.3.1");
  UpdateCatalog without;
  without.UseText("[Db]\r\n");
  EXPECT_EQ(MakeDecisionInput(without, ItemOfMethod(7), "C:\\Skal\\").OldVersion, "0");
}

}  // namespace
