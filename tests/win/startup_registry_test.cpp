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

// Whether the key exists and, with a name, holds that value.
bool Has(HKEY root, const char* key, const char* name = nullptr) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  const bool found = name == nullptr || RegQueryValueExA(handle, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(handle);
  return found;
}

// ZMTPFWRun goes under both roots, ZMTRun only the current user's; no
// settings key is made, and one that exists gets MSN=0. A second start finds
// nothing more to do.
TEST(StartupRegistry, RemovesTheProductsAutorunValuesByRootAndZeroesExistingSettings) {
  sim::RemoveProductKeys();
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
    for (const char* name : {"ZMTRun", "ZMTPFWRun", "Other"}) sim::SetRegistryString(root, kRunKey, name, "x.exe");
  for (int start = 0; start < 2; ++start) {
    EXPECT_EQ(FixStartupRegistry(), 1);
    EXPECT_TRUE(Has(HKEY_LOCAL_MACHINE, kRunKey, "ZMTRun"));
    EXPECT_FALSE(Has(HKEY_CURRENT_USER, kRunKey, "ZMTRun"));
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      EXPECT_FALSE(Has(root, kRunKey, "ZMTPFWRun"));
      EXPECT_TRUE(Has(root, kRunKey, "Other"));
      EXPECT_FALSE(Has(root, kServiceUiKey));
    }
  }
  sim::SetRegistryString(HKEY_LOCAL_MACHINE, kServiceUiKey, "MSN", "1");
  sim::SetRegistryString(HKEY_CURRENT_USER, kServiceUiKey, "Other", "1");
  FixStartupRegistry();
  EXPECT_EQ(DwordValue(HKEY_LOCAL_MACHINE, kServiceUiKey, "MSN"), 0u);
  EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, kServiceUiKey, "MSN"), 0u);
  sim::RemoveProductKeys();
}

}  // namespace
