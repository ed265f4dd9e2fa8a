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

TEST_F(DiscoveryScan, ProductInfoComesFromTheLibraryAndOutlivesUninit) {
  // The stand-in overwrites its texts in Uninit: a caption read after it
  // would come out as '#' characters.
  sim::Installation installation = Antivirus(4, "Skal \xD6\xF7\xB4\xB0\xBF\xDA");  // Skal 主窗口
  ASSERT_TRUE(sim::LayOut(installation));
  ProductInfo info;
  ASSERT_EQ(ReadProductInfo(installation.folder, info), 1);
  EXPECT_EQ(info.majorVersion, 0x40000);
  EXPECT_EQ(info.caption, installation.caption);
  EXPECT_EQ(GetModuleHandleA((installation.folder + "ZMTSKAL.DLL").c_str()), nullptr) << "library left loaded";
}

TEST_F(DiscoveryScan, ALibraryWithoutAnExportFailsAndIsFreed) {
  sim::Installation installation = Antivirus(4, "caption");
  installation.librarySource = ProgramFolder() + "sim_damaged\\ZMTSKAL.DLL";
  ASSERT_TRUE(sim::LayOut(installation));
  ProductInfo info;
  EXPECT_EQ(ReadProductInfo(installation.folder, info), 0);
  EXPECT_EQ(GetModuleHandleA((installation.folder + "ZMTSKAL.DLL").c_str()), nullptr) << "library left loaded";
}

TEST_F(DiscoveryScan, WithoutALibraryOnlyTheOldestEditionKeyVouches) {
  sim::Installation installation = Antivirus(3);
  installation.library = false;
  ASSERT_TRUE(sim::LayOut(installation));
  ProductInfo info;
  EXPECT_EQ(ReadProductInfo(installation.folder, info), 0);

  ASSERT_TRUE(sim::LayOut(sim::KeyOnly(sim::Product::kAntivirus, 1)));
  ASSERT_EQ(ReadProductInfo(installation.folder, info), 1);
  EXPECT_EQ(info.majorVersion, 0x10000);
  EXPECT_EQ(info.caption, "");
}

TEST_F(DiscoveryScan, VersionOneFromTheLibraryNeedsTheOldestEditionKey) {
  sim::Installation installation = Antivirus(2);
  installation.majorVersion = 0x10005;
  ASSERT_TRUE(sim::LayOut(installation));
  ProductInfo info;
  EXPECT_EQ(ReadProductInfo(installation.folder, info), 0);
}

TEST_F(DiscoveryScan, NoDataFileNoProductEvenWithTheOldestEditionKey) {
  sim::Installation installation = Antivirus(1);
  installation.dataFile = false;
  ASSERT_TRUE(sim::LayOut(installation));
  ProductInfo info;
  EXPECT_EQ(ReadProductInfo(installation.folder, info), 0);
}

TEST_F(DiscoveryScan, EntriesInVersionOrderUsableOnlyWithMarkerAndStringPath) {
  sim::Installation withoutMarker = Antivirus(7);
  withoutMarker.marker = false;
  sim::Installation oldest = Antivirus(1);
  oldest.dataFile = false;  // its marker is the main program
  sim::Installation withCaption = Antivirus(10, std::string(600, 'C'));
  for (const auto& installation : {withoutMarker, oldest, withCaption}) ASSERT_TRUE(sim::LayOut(installation));
  // A folder stored as a number is no program path.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, sim::ProductKey(sim::Product::kAntivirus, 5).c_str(), &key), 0);
  DWORD number = 5;
  RegSetValueExA(key, "ProgramPath", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
  RegCloseKey(key);
  // Keys beyond V10.0 are not looked at.
  ASSERT_TRUE(sim::LayOut(sim::KeyOnly(sim::Product::kAntivirus, 11)));

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
}

TEST_F(DiscoveryScan, FirewallEntriesCarryNoCaptionAndOtherFlagsFail) {
  sim::Installation firewall = Antivirus(3, "not read for the firewall");
  firewall.product = sim::Product::kFirewall;
  ASSERT_TRUE(sim::LayOut(firewall));
  // A path without its backslash gets one.
  std::string bare = firewall.folder.substr(0, firewall.folder.size() - 1);
  ASSERT_TRUE(sim::SetRegistryString(HKEY_LOCAL_MACHINE, sim::ProductKey(sim::Product::kFirewall, 3), "ProgramPath", bare));
  ASSERT_TRUE(sim::LayOut(Antivirus(2)));

  std::vector<InstalledProduct> found;
  ASSERT_EQ(EnumerateInstallations(1, found), 1);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].productKind, kFirewall);
  EXPECT_EQ(found[0].regKey, "SOFTWARE\\Norvance\\ZmtPFW\\V3.0");
  EXPECT_EQ(found[0].programDir, firewall.folder);
  EXPECT_EQ(found[0].usable, 1);
  EXPECT_EQ(found[0].caption, "");
  EXPECT_EQ(EnumerateInstallations(2, found), 0);
}

// The current user's value stands before the machine's.
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
