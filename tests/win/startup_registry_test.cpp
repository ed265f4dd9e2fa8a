// The start-up clean-up of the product's autorun values and its "SvcUI"
// setting, on the registry as found.
#include <gtest/gtest.h>

#include "procctl/startup_registry.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kServiceUiKey = "SOFTWARE\\Norvance\\AntiVirus\\V4.0\\SvcUI";

bool HasValue(HKEY root, const char* key, const char* name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  bool found = RegQueryValueExA(handle, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(handle);
  return found;
}

bool HasKey(HKEY root, const char* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

class StartupRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::RemoveProductKeys();
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      for (const char* name : {"ZMTRun", "ZMTPFWRun", "Other"}) sim::SetRegistryString(root, kRunKey, name, "x.exe");
    }
  }
  void TearDown() override { sim::RemoveProductKeys(); }
};

TEST_F(StartupRegistry, RemovesTheProductsAutorunValuesByRootAndCreatesNoSettingsKey) {
  EXPECT_EQ(FixStartupRegistry(), 1);
  EXPECT_TRUE(HasValue(HKEY_LOCAL_MACHINE, kRunKey, "ZMTRun"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunKey, "ZMTRun"));
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    EXPECT_FALSE(HasValue(root, kRunKey, "ZMTPFWRun"));
    EXPECT_TRUE(HasValue(root, kRunKey, "Other"));
    EXPECT_FALSE(HasKey(root, kServiceUiKey));
  }
  // A second start finds nothing more to do.
  EXPECT_EQ(FixStartupRegistry(), 1);
  EXPECT_TRUE(HasValue(HKEY_LOCAL_MACHINE, kRunKey, "ZMTRun"));
  EXPECT_FALSE(HasKey(HKEY_LOCAL_MACHINE, kServiceUiKey));
}

TEST_F(StartupRegistry, ExistingSettingsKeysGetMsnZero) {
  sim::SetRegistryString(HKEY_LOCAL_MACHINE, kServiceUiKey, "MSN", "1");
  sim::SetRegistryString(HKEY_CURRENT_USER, kServiceUiKey, "Other", "1");
  FixStartupRegistry();
  EXPECT_EQ(DwordValue(HKEY_LOCAL_MACHINE, kServiceUiKey, "MSN"), 0u);
  EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, kServiceUiKey, "MSN"), 0u);
}

}  // namespace
