// Installation scan and product information over simulated installations:
// registry keys, marker files and the product information library.
#include <gtest/gtest.h>

#include "app/registry_string.h"
#include "discovery/installation.h"
#include "discovery/installation_scan.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

class DiscoveryScan : public ::testing::Test {
 protected:
  void SetUp() override { sim::RemoveProductKeys(); }
  void TearDown() override { sim::RemoveProductKeys(); }

  sim::Installation Antivirus(int version, const std::string& caption = "") {
    sim::Installation installation;
    installation.version = version;
    installation.folder = MakeScratchFolder("v" + std::to_string(version));
    installation.caption = caption;
    return installation;
  }
};

// The version and caption come from the installation's library, which is
// freed again; a version below 2, or no library, needs the oldest edition's
// key. The stand-in library overwrites its texts in Uninit: a caption read
// after it would come out as '#' characters.
TEST_F(DiscoveryScan, ProductInfoFromTheLibraryOrTheOldestEditionKey) {
  const std::string damagedLibrary = ProgramFolder() + "sim_damaged\\ZMTSKAL.DLL";
  const struct {
    int version;
    std::string librarySource;  // "-": no library
    int32_t majorVersion;       // -1: the version's
    bool dataFile, oldestKey;
    int read;
    int32_t readVersion;
    std::string caption;
  } rows[] = {
      {4, "", -1, true, false, 1, 0x40000, "Skal \xD6\xF7\xB4\xB0\xBF\xDA"},  // Skal 主窗口
      {4, damagedLibrary, -1, true, true, 0, 0, ""},  // lacks an export
      {3, "-", -1, true, false, 0, 0, ""},
      {3, "-", -1, true, true, 1, 0x10000, ""},
      {2, "", 0x10005, true, false, 0, 0, ""},
      {1, "", -1, false, true, 0, 0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.version);
    sim::RemoveProductKeys();
    sim::Installation installation = Antivirus(row.version, row.caption);
    installation.library = row.librarySource != "-";
    if (installation.library) installation.librarySource = row.librarySource;
    installation.majorVersion = row.majorVersion;
    installation.dataFile = row.dataFile;
    ASSERT_TRUE(sim::LayOut(installation));
    if (row.oldestKey) {
      ASSERT_TRUE(sim::LayOut(sim::KeyOnly(sim::Product::kAntivirus, 1)));
    }
    ProductInfo info;
    ASSERT_EQ(ReadProductInfo(installation.folder, info), row.read);
    EXPECT_EQ(GetModuleHandleA((installation.folder + "ZMTSKAL.DLL").c_str()), nullptr) << "library left loaded";
    if (row.read == 0) continue;
    EXPECT_EQ(info.majorVersion, row.readVersion);
    EXPECT_EQ(info.caption, row.caption);
  }
}

// Each product's entries in version order, usable only with a marker file
// and a string path; the firewall's carry no caption, other flags fail.
TEST_F(DiscoveryScan, EntriesInVersionOrderUsableOnlyWithMarkerAndStringPath) {
  sim::Installation withoutMarker = Antivirus(7);
  withoutMarker.marker = false;
  sim::Installation oldest = Antivirus(1);
  oldest.dataFile = false;  // its marker is the main program
  sim::Installation withCaption = Antivirus(10, std::string(600, 'C'));
  sim::Installation firewall = Antivirus(3, "not read for the firewall");
  firewall.product = sim::Product::kFirewall;
  for (const auto& installation : {withoutMarker, oldest, withCaption, firewall}) ASSERT_TRUE(sim::LayOut(installation));
  ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, sim::ProductKey(sim::Product::kAntivirus, 5), "ProgramPath", 5));
  ASSERT_TRUE(sim::LayOut(sim::KeyOnly(sim::Product::kAntivirus, 11)));  // beyond V10.0: not looked at
  // A path without its backslash gets one.
  const std::string bare = firewall.folder.substr(0, firewall.folder.size() - 1);
  ASSERT_TRUE(sim::SetRegistryString(HKEY_LOCAL_MACHINE, sim::ProductKey(sim::Product::kFirewall, 3), "ProgramPath", bare));

  std::vector<InstalledProduct> found;
  ASSERT_EQ(EnumerateInstallations(0, found), 1);
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0].regKey, "SOFTWARE\\Norvance\\AntiVirus\\V1.0");
  EXPECT_EQ(found[0].usable, 1);
  EXPECT_EQ(found[0].caption, "");
  EXPECT_EQ(found[1].versionIndex, 4);
  EXPECT_EQ(found[1].programDir, "");
  EXPECT_EQ(found[1].usable, 0);
  EXPECT_EQ(found[2].programDir, withoutMarker.folder);
  EXPECT_EQ(found[2].usable, 0);
  EXPECT_EQ(found[3].versionIndex, 9);
  EXPECT_EQ(found[3].usable, 1);
  EXPECT_EQ(found[3].caption, std::string(500, 'C'));

  ASSERT_EQ(EnumerateInstallations(1, found), 1);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].productKind, kFirewall);
  EXPECT_EQ(found[0].regKey, "SOFTWARE\\Norvance\\ZmtPFW\\V3.0");
  EXPECT_EQ(found[0].programDir, firewall.folder);
  EXPECT_EQ(found[0].usable, 1);
  EXPECT_EQ(found[0].caption, "");
  EXPECT_EQ(EnumerateInstallations(2, found), 0);
}

TEST(RegistryString, TheCurrentUsersProgramPathWins) {
  const std::string key = "SOFTWARE\\Norvance\\AntiVirus\\V3.0";
  ASSERT_TRUE(sim::SetRegistryString(HKEY_LOCAL_MACHINE, key, "ProgramPath", "C:\\machine\\"));
  ASSERT_TRUE(sim::SetRegistryString(HKEY_CURRENT_USER, key, "ProgramPath", "C:\\user\\"));
  std::string folder;
  EXPECT_EQ(ReadRegistryString(key, "ProgramPath", folder), 1);
  EXPECT_EQ(folder, "C:\\user\\");
  sim::RemoveProductKeys();
}

}  // namespace
