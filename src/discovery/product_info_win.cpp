// The installation's version and caption, read through its own information
// library. The oldest edition has no library data worth the name: its
// registry key alone vouches for it.
#include "discovery/installation.h"
#include "discovery/product_info_library_win.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "platform/library_win.h"
#include "platform/registry_win.h"

namespace {

// Major version and caption from the library; false when it loads but lacks
// an export. A library that does not load leaves `info` as it was.
bool QueryLibrary(const std::string& folder, ProductInfo& info) {
  std::string libraryPath = folder + kProductInfoLibrary;
  if (!FitsPathLimit(libraryPath)) return true;
  // A file that is no library fails quietly, without the system's error box.
  UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  Library library(libraryPath);
  SetErrorMode(errorMode);
  if (!library.IsLoaded()) return true;
  auto init = library.Export<ProductInfoInit>("Init");
  auto uninit = library.Export<ProductInfoUninit>("Uninit");
  auto getInt = library.Export<ProductInfoGetInt>("GetInt");
  auto getStr = library.Export<ProductInfoGetStr>("GetStr");
  if (init == nullptr || uninit == nullptr || getInt == nullptr || getStr == nullptr) return false;

  std::string dataFile = folder + kProductDataFile;
  init(dataFile.c_str());
  int32_t major = 0;
  getInt("MajorVersion", &major);
  info.majorVersion = major;
  const char* caption = nullptr;
  int32_t length = 0;
  getStr("MainFormCaption", &caption, &length);
  // The text belongs to the library and may go with Uninit: copy it first.
  if (caption != nullptr) info.caption = caption;
  uninit();
  return true;
}

}  // namespace

int ReadProductInfo(const std::string& folder, ProductInfo& info) {
  info = ProductInfo();
  std::string dataFile = folder + kProductDataFile;
  if (!FitsPathLimit(dataFile) || !FileExists(dataFile)) return 0;
  if (!QueryLibrary(folder, info)) return 0;
  if (int16_t(uint32_t(info.majorVersion) >> 16) > 1) return 1;
  RegistryKey oldest(HKEY_LOCAL_MACHINE, "software\\norvance\\antivirus\\v1.0", KEY_READ);
  if (!oldest.IsOpen()) return 0;
  info.majorVersion = 0x10000;
  return 1;
}
