#pragma once
// The package catalogue: index.dat in the package, expanded to index.txt in
// the temporary folder for the whole run and deleted when the run ends.
#include <string>

#include "catalog/package_type.h"

struct UpdateRun;

class UpdateCatalog {
 public:
  UpdateCatalog() = default;
  virtual ~UpdateCatalog();
  UpdateCatalog(const UpdateCatalog&) = delete;
  UpdateCatalog& operator=(const UpdateCatalog&) = delete;

  // Expands the packed catalogue into the text catalogue. Non-zero on success.
  int OpenCatalogue(const std::string& packedPath, const std::string& catalogPath);
  // The full load at the end of preparation: expands the catalogue again into
  // the temporary folder and reads file types, processes, components and
  // items. Logs message 6 and returns 0 when the catalogue cannot be loaded.
  int LoadCatalogue(const std::string& packedPath, UpdateRun& run);
  // Deletes the text catalogue.
  void CloseCatalogue();

  // Header readers; all fail (or give their unloaded value) before a
  // successful open.
  PackageType PacketType() const;           // kGeneralAntivirus when not loaded
  int HeaderVersion() const;                // -1 when not loaded
  int PathName(std::string& out) const;     // 0 when not loaded
  // A text key, default empty, cut at `limit` characters. 0 when not loaded.
  int ReadText(const char* section, const char* key, std::string& out, unsigned limit) const;

  std::string PackedPath;
  std::string CatalogPath;
  bool Loaded = false;
};
