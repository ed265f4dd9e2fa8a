// The runner's own decisions: its switches as deployment tools write them,
// the exit codes those tools read back, whether it asks for elevation, and
// which installation a general package takes (how installations are named,
// which list row takes the mark, what the install folder prompt makes of an
// entry).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/edition_names.h"
#include "app/elevation.h"
#include "app/exit_code.h"
#include "commit/os_family.h"
#include "discovery/install_folder_entry.h"
#include "discovery/installation_choice.h"
#include "discovery/installed_product.h"
#include "discovery/version_choice.h"
#include "resources/message_ids.h"

namespace {

// A command line and the options it sets; a fault names the wrong arguments
// as written, and the switches before and after them still count.
struct Switches {
  std::string line;
  std::string fault = "";
  bool silent = false, list = false, usage = false;
  int32_t version = 0;
  std::string programDir = "", reportPath = "";
};

TEST(CommandLine, SwitchesIgnoreCaseAndBlanksAndQuotesGroupBlanks) {
  const std::string folder = "C:\\Program Files\\Norvance\\Skal\\";
  const std::string longest = "C:\\" + std::string(kSwitchPathLimit - 3, 'a');
  const Switches cases[] = {
      {.line = ""},  // the interactive run
      {.line = "   "},
      {.line = "\t"},
      {.line = "  /s\t/Version=4  /programdir=C:\\Skal\\ /REPORT=C:\\r.txt /List", .silent = true, .list = true,
       .version = 4, .programDir = "C:\\Skal\\", .reportPath = "C:\\r.txt"},
      {.line = "/S", .silent = true},
      {.line = "/?", .usage = true},
      // Quotes group blanks wherever they stand; backslashes stay.
      {.line = "/PROGRAMDIR=\"" + folder + "\" /S", .silent = true, .programDir = folder},
      {.line = "\"/PROGRAMDIR=" + folder + "\" /S", .silent = true, .programDir = folder},
      {.line = "/PROGRAMDIR=\"C:\\Program Files\"\\Norvance\\Skal\\ /S", .silent = true, .programDir = folder},
      // Code page 936 folder names pass byte for byte (trail byte 0x5C included).
      {.line = "/PROGRAMDIR=\"D:\\\xCB\xAE\\\x95\x5C\\\"", .programDir = "D:\\\xCB\xAE\\\x95\x5C\\"},
      // Registry versions the scan knows.
      {.line = "/VERSION=1", .version = 1},
      {.line = "/VERSION=10", .version = 10},
      {.line = "/VERSION=07", .version = 7},
      {.line = "/VERSION=9", .version = 9},
      {.line = "/PROGRAMDIR=" + longest, .programDir = longest},
      {.line = "/REPORT=" + longest, .reportPath = longest},
      {.line = "/X  \t/S", .fault = "/X", .silent = true},
      {.line = "/S \"/bad one\" /T", .fault = "\"/bad one\" /T", .silent = true},
  };
  for (const Switches& c : cases) {
    RunOptions options;
    std::string fault;
    EXPECT_EQ(ParseCommandLine(c.line, options, fault), c.fault.empty()) << c.line;
    EXPECT_EQ(fault, c.fault) << c.line;
    EXPECT_EQ(options.silent, c.silent) << c.line;
    EXPECT_EQ(options.listOnly, c.list) << c.line;
    EXPECT_EQ(options.showUsage, c.usage) << c.line;
    EXPECT_EQ(options.version, c.version) << c.line;
    EXPECT_EQ(options.programDir, c.programDir) << c.line;
    EXPECT_EQ(options.reportPath, c.reportPath) << c.line;
  }
}

TEST(CommandLine, WrongArgumentsAreNamed) {
  const std::string tooLong = "C:\\" + std::string(kSwitchPathLimit - 2, 'a');
  const std::vector<std::string> wrong = {
      "/X", "/SILENT", "S", "-S", "/", "/S=1", "/?=1", "/VERSION", "/VERSION=", "/REPORT=", "/PROGRAMDIR",
      "\"/PROGRAMDIR=\"", "/S /S", "/VERSION=4 /VERSION=5", "/REPORT=a /REPORT=b", "/LIST=1", "/LIST /LIST",
      "/PROGRAMDIR=C:\\ C:\\other", "/VERSION=0", "/VERSION=11", "/VERSION=-1", "/VERSION=4.0", "/VERSION=V4",
      "/VERSION=004", "/VERSION=4x", "/VERSION=1/", "/VERSION=99999999999", "/PROGRAMDIR=" + tooLong,
      "/REPORT=" + tooLong};
  for (const std::string& line : wrong) {
    RunOptions options;
    std::string fault;
    EXPECT_FALSE(ParseCommandLine(line, options, fault)) << line;
    EXPECT_FALSE(fault.empty()) << line;
  }
}

TEST(UnattendedExitCode, FollowsTheInstallerConventions) {
  EXPECT_EQ(UnattendedExitCode(Preparation::kReady, true, false, false), 0);
  EXPECT_EQ(UnattendedExitCode(Preparation::kReady, true, false, true), 3010);
  EXPECT_EQ(UnattendedExitCode(Preparation::kRefused, true, false, false), 1602);
  EXPECT_EQ(UnattendedExitCode(Preparation::kFailed, true, false, false), 1603);
  // A failure outweighs the restart it may also have needed.
  EXPECT_EQ(UnattendedExitCode(Preparation::kReady, true, true, true), 1603);
  EXPECT_EQ(UnattendedExitCode(Preparation::kReady, false, false, false), 1603);
}

struct Case {
  const char* what;
  int32_t family;
  uint32_t ntMajor;
  bool elevated, canElevate, silent;
  ElevationStep expected;
};

TEST(Elevation, OnlyAFilteredTokenOnVistaOrLaterAsksOrRefuses) {
  using enum ElevationStep;
  const Case cases[] = {
      {"Windows 98 has no rights to ask for", kOsFamily9x, 0, false, false, false, kProceed},
      {"Windows Me, unattended", kOsFamilyMe, 0, false, false, true, kProceed},
      {"NT 4.0, a limited user goes on as before", kOsFamilyNt, 4, false, false, true, kProceed},
      {"XP, unattended", kOsFamilyNt, 5, false, false, true, kProceed},
      {"Vista elevated", kOsFamilyNt, 6, true, false, false, kProceed},
      {"Windows 10 elevated, unattended", kOsFamilyNt, 10, true, false, true, kProceed},
      {"Vista, an administrator's filtered token asks", kOsFamilyNt, 6, false, true, false, kRelaunchElevated},
      {"Windows 10, a standard user cannot elevate", kOsFamilyNt, 10, false, false, false, kRefuse},
      {"Windows 10 unattended never prompts", kOsFamilyNt, 10, false, true, true, kRefuse},
  };
  for (const Case& c : cases) {
    ElevationState state{c.family, c.ntMajor, c.elevated, c.canElevate, c.silent};
    EXPECT_EQ(DecideElevation(state), c.expected) << c.what;
  }
}

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
  EXPECT_EQ(DecideInstallation({Entry(5, false), oldest}).action, InstallationChoice::kAskFolder);
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
