// skal_layout.exe, the simulator's command line: what it lays out is what the
// runner's scan and product information read back.
#include <gtest/gtest.h>

#include <vector>

#include "child_process_win.h"
#include "discovery/installation.h"
#include "discovery/installation_scan.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

DWORD RunLayout(const std::vector<std::string>& arguments) {
  automation::ChildProcess child;
  EXPECT_TRUE(child.Start(automation::CommandLine(ProgramFolder() + "skal_layout.exe", arguments)));
  DWORD exitCode = 0;
  EXPECT_TRUE(child.Wait(15000, exitCode)) << "skal_layout did not end";
  return exitCode;
}

class SkalLayout : public ::testing::Test {
 protected:
  void SetUp() override { sim::RemoveProductKeys(); }
  void TearDown() override { sim::RemoveProductKeys(); }
};

TEST_F(SkalLayout, LaysOutWhatTheScanFindsAndClearRemovesIt) {
  const std::string captioned = MakeScratchFolder("captioned");
  const std::string unusable = MakeScratchFolder("unusable");
  const std::string caption = "Skal \xD7\xA8\xD2\xB5\xB0\xE6";  // Skal 专业版
  // The folder without its trailing backslash: the tool adds it.
  ASSERT_EQ(RunLayout({"antivirus", "2", "--folder", captioned.substr(0, captioned.size() - 1), "--caption", caption,
                       "--major", "0x50001"}),
            0u);
  ASSERT_EQ(RunLayout({"antivirus", "4", "--folder", unusable, "--unusable"}), 0u);
  ASSERT_EQ(RunLayout({"antivirus", "6"}), 0u);

  std::vector<InstalledProduct> found;
  ASSERT_EQ(EnumerateInstallations(0, found), 1);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].regKey, "SOFTWARE\\Norvance\\AntiVirus\\V2.0");
  EXPECT_EQ(found[0].programDir, captioned);
  EXPECT_EQ(found[0].usable, 1);
  EXPECT_EQ(found[0].caption, caption);
  ProductInfo info;
  ASSERT_EQ(ReadProductInfo(captioned, info), 1);
  EXPECT_EQ(info.majorVersion, 0x50001);
  EXPECT_EQ(found[1].programDir, unusable);
  EXPECT_EQ(found[1].usable, 0);
  EXPECT_EQ(found[2].regKey, "SOFTWARE\\Norvance\\AntiVirus\\V6.0");
  EXPECT_EQ(found[2].programDir, "");

  ASSERT_EQ(RunLayout({"clear"}), 0u);
  ASSERT_EQ(EnumerateInstallations(0, found), 1);
  EXPECT_TRUE(found.empty());
}

TEST_F(SkalLayout, RefusesWhatItCannotLayOutWithItsUsage) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {}, {"antivirus"}, {"router", "2"}, {"firewall", "11"}, {"firewall", "0"}, {"firewall", "2", "--folder"},
           {"firewall", "2", "--major", "x"}, {"firewall", "2", "--colour", "red"}}) {
    EXPECT_EQ(RunLayout(arguments), 2u) << ::testing::PrintToString(arguments);
  }
  std::vector<InstalledProduct> found;
  ASSERT_EQ(EnumerateInstallations(1, found), 1);
  EXPECT_TRUE(found.empty()) << "a refused call left a key";
}

}  // namespace
