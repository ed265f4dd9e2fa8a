// Installation discovery's decisions: which installation a general package
// takes, how installations are named, which list row takes the mark and
// what the install folder prompt makes of an entry.
#include <gtest/gtest.h>

#include "app/edition_names.h"
#include "discovery/install_folder_entry.h"
#include "discovery/installation_choice.h"
#include "discovery/installed_product.h"
#include "discovery/version_choice.h"
#include "resources/message_ids.h"

namespace {

InstalledProduct Entry(int32_t versionIndex, bool usable, const std::string& programDir = "C:\\Skal\\") {
  InstalledProduct product;
  product.versionIndex = versionIndex;
  product.usable = usable;
  product.programDir = programDir;
  return product;
}

std::string TextOf(unsigned id) { return id == kMsgFirewallName ? "Gardo  %d" : "text " + std::to_string(id); }

TEST(InstallationChoice, UsableCountDecides) {
  EXPECT_EQ(DecideInstallation({}).action, InstallationChoice::kNoInstallation);

  InstallationChoice one = DecideInstallation({Entry(1, true), Entry(2, false)});
  EXPECT_EQ(one.action, InstallationChoice::kTake);
  EXPECT_EQ(one.entry, 0u);
  one = DecideInstallation({Entry(1, false), Entry(2, false), Entry(3, true)});
  EXPECT_EQ(one.action, InstallationChoice::kTake);
  EXPECT_EQ(one.entry, 2u);

  EXPECT_EQ(DecideInstallation({Entry(1, true), Entry(3, true)}).action, InstallationChoice::kAskVersion);
}

TEST(InstallationChoice, OnlyTheOldestEditionsMissingPathIsAskedFor) {
  const InstalledProduct oldest = Entry(0, false, "");
  EXPECT_EQ(DecideInstallation({oldest}).action, InstallationChoice::kAskFolder);
  EXPECT_EQ(DecideInstallation({oldest, Entry(5, false)}).action, InstallationChoice::kAskFolder);
  EXPECT_EQ(DecideInstallation({oldest, Entry(5, false, "")}).action, InstallationChoice::kAskFolder);

  EXPECT_EQ(DecideInstallation({oldest, Entry(4, false)}).action, InstallationChoice::kDamaged);
  EXPECT_EQ(DecideInstallation({oldest, Entry(5, false), Entry(6, false)}).action, InstallationChoice::kDamaged);
  // A path that holds no marker is no missing path.
  EXPECT_EQ(DecideInstallation({Entry(0, false)}).action, InstallationChoice::kDamaged);
  EXPECT_EQ(DecideInstallation({Entry(2, false, "")}).action, InstallationChoice::kDamaged);
}

TEST(InstallationChoice, RowPositionsCountUsableEntriesOnly) {
  std::vector<InstalledProduct> found{Entry(1, true), Entry(2, false), Entry(3, true)};
  EXPECT_EQ(UsableEntryAt(found, 0), 0);
  EXPECT_EQ(UsableEntryAt(found, 1), 2);
  EXPECT_EQ(UsableEntryAt(found, 2), -1);
}

TEST(DisplayName, CaptionFirstThenTheEditionsName) {
  InstalledProduct product = Entry(3, true);
  product.caption = "Skal caption";
  EXPECT_EQ(DisplayName(product, TextOf), "Skal caption");
  product.caption.clear();
  EXPECT_EQ(DisplayName(product, TextOf), "text 55");
  EXPECT_EQ(DisplayNameMessageId(kAntivirus, 0), 52u);
  EXPECT_EQ(DisplayNameMessageId(kAntivirus, 5), 57u);
  EXPECT_EQ(DisplayNameMessageId(kAntivirus, 9), 58u);
}

TEST(DisplayName, FirewallEditionsWithoutANameAreNumberedByRegistryVersion) {
  InstalledProduct firewall = Entry(1, true);
  firewall.productKind = kFirewall;
  EXPECT_EQ(DisplayName(firewall, TextOf), "Gardo  2");
  firewall.versionIndex = 9;
  EXPECT_EQ(DisplayName(firewall, TextOf), "Gardo  10");
  firewall.versionIndex = 3;
  EXPECT_EQ(DisplayName(firewall, TextOf), "text 59");
  EXPECT_EQ(DisplayNameMessageId(kFirewall, 5), 61u);
}

TEST(DisplayName, CaptionIsCutWithoutSplittingACharacter) {
  EXPECT_EQ(CutCaption(std::string(600, 'a')), std::string(500, 'a'));
  // A double-byte character standing across the limit goes whole.
  std::string caption = std::string(499, 'a') + "\xD6\xF7" + "b";
  EXPECT_EQ(CutCaption(caption), std::string(499, 'a'));
  EXPECT_EQ(CutCaption(std::string(498, 'a') + "\xD6\xF7"), std::string(498, 'a') + "\xD6\xF7");
}

TEST(EditionNames, KnownEditionsAndEmptyOutside) {
  EXPECT_STREQ(EditionNamesOf(0).edition, ".NET");
  EXPECT_STREQ(EditionNamesOf(3).mainProgram, "ZMT32.EXE");
  EXPECT_STREQ(EditionNamesOf(4).edition, "");
  EXPECT_STREQ(EditionNamesOf(-1).mainProgram, "");
}

TEST(VersionChoice, ListsUsableEntriesAndMovesTheMarkToTheFirstOtherSelectedRow) {
  std::vector<InstalledProduct> found{Entry(1, true), Entry(2, false), Entry(3, true)};
  EXPECT_EQ(VersionChoiceRows(found, TextOf), (std::vector<std::string>{"text 53", "text 55"}));

  EXPECT_EQ(RowToMark({}, 0), -1);
  EXPECT_EQ(RowToMark({0}, 0), -1);  // the marked row clicked again
  EXPECT_EQ(RowToMark({2}, 0), 2);
  EXPECT_EQ(RowToMark({1, 3}, 1), 3);
}

TEST(InstallFolderEntry, GetsItsBackslashOrIsRefused) {
  std::string folder;
  EXPECT_EQ(NormaliseFolderEntry(folder), FolderEntry::kEmpty);
  folder = "C:\\Skal";
  EXPECT_EQ(NormaliseFolderEntry(folder), FolderEntry::kToCheck);
  EXPECT_EQ(folder, "C:\\Skal\\");
  EXPECT_EQ(NormaliseFolderEntry(folder), FolderEntry::kToCheck);
  EXPECT_EQ(folder, "C:\\Skal\\");

  // 258 characters fit with the backslash; 259 do not, and stay as entered.
  std::string fits = "C:\\" + std::string(255, 'a');
  EXPECT_EQ(NormaliseFolderEntry(fits), FolderEntry::kToCheck);
  EXPECT_EQ(fits.size(), 259u);
  std::string overlong = "C:\\" + std::string(256, 'a');
  EXPECT_EQ(NormaliseFolderEntry(overlong), FolderEntry::kTooLong);
  EXPECT_EQ(overlong.size(), 259u);
  // A trail byte 0x5C is no backslash.
  std::string chinese = "C:\\\xD7\x5C";
  EXPECT_EQ(NormaliseFolderEntry(chinese), FolderEntry::kToCheck);
  EXPECT_EQ(chinese, "C:\\\xD7\x5C\\");
}

}  // namespace
