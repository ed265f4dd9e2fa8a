// The installed components' values read from the real registry: the key
// under the local machine, else the current user's, and only 4-byte values.
#include <gtest/gtest.h>

#include "catalog/update_catalog.h"
#include "platform/registry_reader_win.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

TEST(ComponentValues, UnderEitherRoot) {
  UpdateCatalog catalog;
  catalog.UseText("[Install]\r\nComponentName0=Scan\r\nComponentValue0=1\r\nComponentName1=Mail\r\n"
                  "ComponentValue1=2\r\nComponentName2=Text\r\nComponentValue2=4\r\n");
  WindowsRegistryReader registry;
  const std::string key = "SOFTWARE\\Norvance\\AntiVirus\\V4.0";
  EXPECT_EQ(catalog.ReadComponentMask(key, registry), -1);
  // Under the current user only; a value longer than 4 bytes does not count.
  ASSERT_TRUE(SetDword(HKEY_CURRENT_USER, key + "\\Install", "Scan", 1));
  ASSERT_TRUE(SetDword(HKEY_CURRENT_USER, key + "\\Install", "Mail", 7));
  ASSERT_TRUE(sim::SetRegistryString(HKEY_CURRENT_USER, key + "\\Install", "Text", "installed"));
  EXPECT_EQ(catalog.ReadComponentMask(key, registry), 3);
  // A key under the local machine is read alone.
  ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, key + "\\Install", "Mail", 1));
  EXPECT_EQ(catalog.ReadComponentMask(key, registry), 2);
  sim::RemoveProductKeys();
}
