#include "catalog/update_catalog.h"

#include <windows.h>

#include <vector>

#include "package/unpack_file.h"
#include "paths/folders_win.h"

UpdateCatalog::~UpdateCatalog() { CloseCatalogue(); }

int UpdateCatalog::OpenCatalogue(const std::string& packedPath, const std::string& catalogPath) {
  PackedPath = packedPath;
  CatalogPath = catalogPath;
  if (!FileExists(PackedPath)) return 0;
  if (!UnpackFile(PackedPath, CatalogPath)) return 0;
  Loaded = true;
  return 1;
}

void UpdateCatalog::CloseCatalogue() {
  if (!CatalogPath.empty()) DeleteFileA(CatalogPath.c_str());
}

int UpdateCatalog::ReadText(const char* section, const char* key, std::string& out, unsigned limit) const {
  if (!Loaded) return 0;
  std::vector<char> buffer(limit + 1, '\0');
  DWORD length = GetPrivateProfileStringA(section, key, "", buffer.data(), limit + 1, CatalogPath.c_str());
  out.assign(buffer.data(), length);
  return 1;
}

PackageType UpdateCatalog::PacketType() const {
  if (!Loaded) return kGeneralAntivirus;
  // A missing key reads as "General_DB".
  std::vector<char> buffer(50, '\0');
  GetPrivateProfileStringA("COMMENT", "PacketType", "General_DB", buffer.data(), 50, CatalogPath.c_str());
  return PackageTypeFromText(buffer.data());
}

int UpdateCatalog::HeaderVersion() const {
  if (!Loaded) return -1;
  return int(GetPrivateProfileIntA("COMMENT", "Version", 0, CatalogPath.c_str()));
}

int UpdateCatalog::PathName(std::string& out) const { return ReadText("COMMENT", "PathName", out, 259); }
