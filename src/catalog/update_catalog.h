#pragma once
// The package catalogue: index.dat in the package, expanded to index.txt in
// the temporary folder for the whole run, read once into memory and deleted
// when the run ends. Holds the file types, the process list, the installed-
// component mask and the items this machine needs.
#include <array>
#include <cstdint>
#include <forward_list>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog_entries.h"
#include "catalog/ini_file.h"
#include "catalog/package_type.h"
#include "catalog/update_item.h"
#include "engine/item_decision.h"

struct ProcessStopRecord;
class RegistryReader;
struct UpdateRun;

constexpr size_t kMaxFileTypes = 30;

class UpdateCatalog;

// What a walk over the catalogue needs besides its text.
struct CatalogueWalk {
  const RegistryReader& registry;  // the installed-component values
  // Descriptions of the built-in types Program, Engine and SIGN (string table).
  std::array<std::string, 3> builtInTypeDescriptions;
  // The item step, called for every section that may be an item.
  std::function<int(UpdateCatalog& catalog, const std::string& sectionName, const std::string& packageFilesDir)>
      readItem;
};

// A section named ITEM followed by anything (any case) is never an item.
bool IsNeverAnItemName(const std::string& name);

class UpdateCatalog {
 public:
  UpdateCatalog() = default;
  virtual ~UpdateCatalog();
  UpdateCatalog(const UpdateCatalog&) = delete;
  UpdateCatalog& operator=(const UpdateCatalog&) = delete;

  // Expands the packed catalogue into the text catalogue and reads it.
  // Non-zero on success.
  int OpenCatalogue(const std::string& packedPath, const std::string& catalogPath);
  // The full load at the end of preparation: expands the catalogue again into
  // the temporary folder and walks it, asking `decide` about every item.
  // Copies the type mask and the self-update flag into the run. Logs message
  // 6 and returns 0 when the catalogue cannot be loaded.
  int LoadCatalogue(const std::string& packedPath, UpdateRun& run, const UpdateDecision& decide);
  // Deletes the text catalogue and frees both lists.
  void CloseCatalogue();

  // Reads `bytes` as the catalogue text from now on and sets Loaded. The open
  // does this with the expanded file.
  void UseText(std::string_view bytes);

  // The section walk: file types, processes, component mask, then every
  // section that may be an item is handed to the item step. Fails when the
  // catalogue is not loaded or has no section at all.
  int ReadCatalogue(const std::string& registryKey, const std::string& packageFilesDir, const CatalogueWalk& walk);
  int ReadFileTypes(const std::array<std::string, 3>& builtInDescriptions);
  int ReadProcessList();
  // Sum of the ComponentValue%d whose registry value under registryKey\Install
  // is not 0; -1 (every component) when the key or the list is missing.
  int32_t ReadComponentMask(const std::string& registryKey, const RegistryReader& registry) const;

  // Header readers; they fail (or give their unloaded value) before a
  // successful open.
  PackageType PacketType() const;        // kGeneralAntivirus when not loaded
  int HeaderVersion() const;             // -1 when not loaded
  int PathName(std::string& out) const;  // 0 when not loaded
  // PathName as the archive's folder below the package folder; false when
  // not loaded or when it names a drive, starts at a root or climbs out.
  bool ArchiveFolder(std::string& out) const;
  // A text key, default empty, cut at `limit` bytes. 0 when not loaded.
  int ReadText(const char* section, const char* key, std::string& out, unsigned limit) const;

  // Lookups for the item step and the update decision: the value cut at
  // `limit` bytes, or the default when the key is absent or nothing is loaded.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue,
                         unsigned limit) const;
  int32_t ReadInt(const std::string& section, const std::string& key, int32_t defaultValue) const;

  // Fills `record` for the process list entry named `name` (without regard to
  // case; the newest entry wins). The program path is programDir followed by
  // the entry's release file name, left empty when it would not fit the path
  // limit. Returns 1 found, 0 not found (also when not loaded, or when the
  // program path does not fit and the component is no service, exit type 2).
  int FindProcess(const std::string& name, const std::string& programDir, ProcessStopRecord& record,
                  int32_t& exitType) const;
  // Appends a CallBy text unless it already occurs in CallByList (ASCII
  // letters compared without case).
  void AddCallBy(const std::string& text);
  // Sum of the type ids; 0 when not loaded.
  uint32_t TypeMask() const;
  // Every section name in file order, a name given twice as often; empty
  // when not loaded.
  std::vector<std::string> SectionNames() const;
  int ItemListEmpty() const { return Items.empty() ? 1 : 0; }
  void ClearItems() { Items.clear(); }
  void ClearProcesses() { Processes.clear(); }

  std::string PackedPath;
  std::string CatalogPath;
  bool Loaded = false;
  std::vector<FileTypeEntry> FileTypes;  // at most kMaxFileTypes, in index order
  int32_t ComponentMask = -1;            // -1: every component
  int32_t NewUpdateSelfFirstFlag = 0;
  bool SelfUpdateFirst = false;          // set by the item step only
  std::forward_list<ProductProcess> Processes;  // newest first
  std::forward_list<UpdateItem> Items;          // kept items, newest first
  std::string CallByList;                       // CallBy texts of the kept items, joined

 private:
  bool HasText() const { return Loaded && text_.has_value(); }

  std::optional<IniFile> text_;
  // Removes the expanded file; set by the open.
  std::function<void()> removeTextFile_;
};
