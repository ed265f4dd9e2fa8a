#pragma once
// Catalogues from text, a registry of maps and a recorded machine side of the
// item step, for the catalogue tests and the catalogue fuzz target.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalog/registry_reader.h"
#include "catalog/update_catalog.h"
#include "engine/item_step.h"

namespace catalogue_test {

using Values = std::map<std::string, uint32_t>;

// Keys by path; a key in the map opens.
struct FakeRegistry : RegistryReader {
  struct Open : RegistryValues {
    Values values;
    bool ReadNumber(const std::string& name, uint32_t& value) const override {
      auto found = values.find(name);
      if (found == values.end()) return false;
      value = found->second;
      return true;
    }
  };
  std::unique_ptr<RegistryValues> OpenMachineThenUser(const std::string& path) const override {
    auto key = keys.find(path);
    if (key == keys.end()) return nullptr;
    auto open = std::make_unique<Open>();
    open->values = key->second;
    return open;
  }
  std::map<std::string, Values> keys;
};

inline const std::array<std::string, 3> kTypeTexts = {"program files", "engine files", "database files"};

struct FakeMachine {
  std::string programDir = "C:\\Skal\\", tempDir = "C:\\TEMP\\", systemDir = "C:\\WINDOWS\\SYSTEM\\",
              windowsDir = "C:\\WINDOWS\\";
  std::set<std::string> intactCopies;  // package paths whose CRC-32 matches
  std::set<std::string> notNeeded;     // sections the decision declines
  std::vector<std::string> decided;    // sections the decision was asked about
  std::vector<std::string> log;
  FakeRegistry registry;

  MacroFolders Folders() const { return MacroFolders{programDir, tempDir, systemDir, windowsDir}; }

  ItemStepContext Context() {
    return ItemStepContext{
        Folders(),
        [this](const UpdateCatalog&, UpdateItem& item) {
          decided.push_back(item.SectionName);
          item.Needed = notNeeded.count(item.SectionName) ? 0 : 1;
          return int(item.Needed);
        },
        [this](const std::string& path, const std::string&) { return int(intactCopies.count(path)); },
        [this](const std::string& line) { log.push_back(line); }, "missing %s"};
  }

  // The walk with the real item step, package files in C:\pkg\.
  int Walk(UpdateCatalog& catalog) {
    ItemStepContext step = Context();
    CatalogueWalk walk{registry, kTypeTexts, [&step](UpdateCatalog& c, const std::string& name, const std::string& dir) {
                         return ReadItem(c, name, dir, step);
                       }};
    return catalog.ReadCatalogue("SOFTWARE\\Norvance\\AntiVirus\\V4.0", "C:\\pkg\\", walk);
  }
};

// A complete item section. The changes ("Key=value", or "Key" alone, which
// reads as absent) stand first, where they hide the complete keys.
inline std::string ItemSection(const std::string& name, const std::vector<std::string>& changes = {}) {
  std::string text = "[" + name + "]\r\n";
  for (const std::string& line : changes) text += line + "\r\n";
  return text + "UpdateFileFlag=TRUE\r\nFileName=ZMT9X.EXE\r\nFileSize=1234\r\nVersion=1.2.3.4\r\n"
                "CRC=3735928559\r\nReboot=FALSE\r\nRemotePath=.\r\n";
}

inline std::vector<std::string> SectionsOf(const UpdateCatalog& catalog) {
  std::vector<std::string> names;
  for (const UpdateItem& item : catalog.Items) names.push_back(item.SectionName);
  return names;
}

}  // namespace catalogue_test
