// Catalogues built to hurt: thousands of sections, more file types than the
// catalogue holds, and every item value at, just past and far past the
// length it is read with. The walk must finish, keep only sound items and
// never let a value grow past its limit.
#include <gtest/gtest.h>

#include <chrono>

#include "catalogue_test_support.h"
#include "engine/item_keys.h"

using namespace catalogue_test;

namespace {

const UpdateItem& ItemOf(const UpdateCatalog& catalog, const std::string& section) {
  for (const UpdateItem& item : catalog.Items)
    if (item.SectionName == section) return item;
  static const UpdateItem none;
  return none;
}

TEST(HostileCatalogue, TenThousandSectionsAreWalkedOnceEachInLinearTime) {
  const auto walkOf = [](int sections) {
    std::string text = "[COMMENT]\r\nPacketType=General_DB\r\n";
    for (int n = 0; n < sections; ++n) text += ItemSection("S" + std::to_string(n), {"FileName=F" + std::to_string(n)});
    // The same name again, in another case: walked where it first stands.
    text += ItemSection("s0", {"FileName=OTHER"});
    FakeMachine machine;
    UpdateCatalog catalog;
    catalog.UseText(text);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(machine.Walk(catalog), 1);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(machine.decided.size(), size_t(sections));
    const std::vector<std::string> kept = SectionsOf(catalog);
    EXPECT_EQ(kept.size(), size_t(sections));
    EXPECT_EQ(kept.front(), "S" + std::to_string(sections - 1));  // newest first
    EXPECT_EQ(ItemOf(catalog, "S0").FileName, "F0");  // not the later "s0"
    return took;
  };
  const auto small = walkOf(1000);
  const auto large = walkOf(10000);
  // Ten times the sections may take ten times as long, with room for noise,
  // but not the hundred times of a walk that rescans the text per lookup.
  EXPECT_LT(large, 30 * small + std::chrono::milliseconds(200));
}

TEST(HostileCatalogue, ThirtyOneFileTypesKeepThirtyAndTheLastNamesNone) {
  std::string text = "[FileType]\r\n";
  for (int n = 0; n < 31; ++n) text += "TypeName" + std::to_string(n) + "=T" + std::to_string(n) + "\r\nDescript" +
                                       std::to_string(n) + "=d\r\n";
  text += ItemSection("Thirtieth", {"FileType=t29"}) + ItemSection("ThirtyFirst", {"FileType=T30"});
  FakeMachine machine;
  UpdateCatalog catalog;
  catalog.UseText(text);
  ASSERT_EQ(machine.Walk(catalog), 1);
  EXPECT_EQ(catalog.FileTypes.size(), kMaxFileTypes);
  EXPECT_EQ(catalog.TypeMask(), 0x3FFFFFFFu);
  ASSERT_EQ(SectionsOf(catalog), (std::vector<std::string>{"ThirtyFirst", "Thirtieth"}));
  EXPECT_EQ(ItemOf(catalog, "ThirtyFirst").TypeId, 0u);
  EXPECT_EQ(ItemOf(catalog, "Thirtieth").TypeId, 1u << 29);
}

// What a value of `length` bytes for `key` becomes in the kept item, or
// nullopt when the item is refused.
std::optional<std::string> KeptValue(const ItemTextKey& key, size_t length) {
  const std::string name = key.name;
  std::string value(length, 'v');
  if (name == "UpdateFileFlag" || name == "Reboot" || name == "UpdateRelative" || name == "SharedNeedReboot")
    value.replace(0, 1, "1");
  // A folder below the program folder, written as its macro.
  if (name == "LocalPath") value = "%PROGRAMDIR\\" + std::string(length - 13, 'v') + "%";
  FakeMachine machine;
  UpdateCatalog catalog;
  catalog.UseText(ItemSection("S", {name + "=" + value}));
  EXPECT_EQ(machine.Walk(catalog), 1) << name << " " << length;
  if (catalog.Items.empty()) return std::nullopt;
  const UpdateItem& item = catalog.Items.front();
  EXPECT_TRUE(FitsPathLimit(item.SourcePath) && FitsPathLimit(item.LocalPath + item.FileName)) << name;
  if (name == "FileName") return item.FileName;
  if (name == "Version") return item.Version;
  if (name == "CRC") return item.CRC;
  if (name == "RemotePath") return item.RemotePath;
  if (name == "LocalPath") return item.LocalPath;
  if (name == "CallBy") return item.CallBy;
  return std::string();  // read as a flag, a type or by the decision only
}

TEST(HostileCatalogue, ItemValuesAtAndPastTheirLimits) {
  for (const ItemTextKey& key : item_keys::kAll) {
    const std::string name = key.name;
    const bool path = name == "FileName" || name == "RemotePath" || name == "LocalPath";
    for (size_t length : {size_t(key.limit), size_t(key.limit) + 1, size_t(1) << 20}) {
      const std::optional<std::string> kept = KeptValue(key, length);
      if (name == "UpdateFileFlag") {
        // Longer than "TRUE": no flag, so the section is no item at all.
        EXPECT_FALSE(kept.has_value()) << length;
        continue;
      }
      if (path) {
        // Below C:\pkg\ or C:\Skal\ and with the file name, a path of the
        // whole limit cannot be formed: the item is refused, never cut short.
        EXPECT_FALSE(kept.has_value()) << name << " " << length;
        continue;
      }
      ASSERT_TRUE(kept.has_value()) << name << " " << length;
      if (!kept->empty()) {
        EXPECT_EQ(kept->size(), size_t(key.limit)) << name << " " << length;
      }
    }
  }
}

TEST(HostileCatalogue, NumbersPastTheirRangeAndBrokenLines) {
  const std::string text = "[S]\r\nUpdateFileFlag=1\r\nFileName=A.DLL\r\nFileSize=99999999999999999999\r\n"
                           "Version=1.2\r\nCRC=1\r\nReboot=0\r\nRemotePath=.\r\nBelong=-99999999999\r\n"
                           "no equals sign\r\n=\r\n[\r\n[]\r\n[T\r\nUpdateFileFlag=1\r\n" +
                           std::string(1 << 16, '[') + "\r\n" + std::string(1 << 16, '=') + "\0\r\n";
  FakeMachine machine;
  UpdateCatalog catalog;
  catalog.UseText(text);
  ASSERT_EQ(machine.Walk(catalog), 1);
  for (const UpdateItem& item : catalog.Items) {
    EXPECT_NE(item.FileSize, 0);
    EXPECT_LE(item.FileName.size(), 259u);
  }
}

}  // namespace
