#include "discovery/installation.h"
#include "discovery/installation_scan.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "platform/registry_win.h"

namespace {

InstalledProduct ScanKey(ProductKind kind, int version, const RegistryKey& key, const std::string& path) {
  InstalledProduct product;
  product.productKind = kind;
  product.regKey = path;
  product.versionIndex = version - 1;
  std::string folder;
  if (!key.ReadStringValue("ProgramPath", folder, 260)) return product;
  EnsureTrailingBackslash(folder);
  product.programDir = folder;
  std::string marker = folder + MarkerFileName(kind, version);
  if (!FitsPathLimit(marker) || !FileExists(marker)) return product;
  if (kind == kAntivirus) {
    ProductInfo info;
    ReadProductInfo(folder, info);  // the caption is wanted even when the read fails
    product.caption = CutCaption(info.caption);
  }
  product.usable = 1;
  return product;
}

}  // namespace

int EnumerateInstallations(int firewall, std::vector<InstalledProduct>& found) {
  found.clear();
  if (firewall != 0 && firewall != 1) return 0;
  ProductKind kind = firewall ? kFirewall : kAntivirus;
  for (int version = kFirstScannedVersion; version <= kLastScannedVersion; ++version) {
    std::string path = InstallationKey(kind, version);
    // Read access only: a user without administrator rights must still find
    // the installation.
    RegistryKey key(HKEY_LOCAL_MACHINE, path, KEY_READ);
    if (key.IsOpen()) found.push_back(ScanKey(kind, version, key, path));
  }
  return 1;
}
