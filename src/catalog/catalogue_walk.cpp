// The section walk of the catalogue and the readers of its type, process and
// component sections.
#include <unordered_set>

#include "catalog/ini_text.h"
#include "catalog/registry_reader.h"
#include "catalog/update_catalog.h"

namespace {

std::string Numbered(const char* key, size_t n) { return key + std::to_string(n); }

bool ReadsParameters(int32_t exitType) { return exitType == 0 || exitType == 1 || exitType == 3; }
bool ReadsComponentId(int32_t exitType) { return exitType == 1 || exitType == 3; }

ProductProcess BuiltInProcess(const char* name, int32_t uid) {
  ProductProcess process;
  process.FileName = process.ReleaseFileName = name;
  process.ExitType = 1;
  process.UID = uid;
  process.StopParam = "/quit";
  return process;
}

}  // namespace

bool IsNeverAnItemName(const std::string& name) {
  return name.size() > 4 && ini_text::FoldCase(name.substr(0, 4)) == "item";
}

std::vector<std::string> UpdateCatalog::SectionNames() const {
  return HasText() ? text_->AllSectionNames() : std::vector<std::string>();
}

int UpdateCatalog::ReadCatalogue(const std::string& registryKey, const std::string& packageFilesDir,
                                 const CatalogueWalk& walk) {
  ClearItems();
  ClearProcesses();
  if (!HasText()) return 0;
  NewUpdateSelfFirstFlag = ReadInt("COMMENT", "NewUpdateSelfFirstFlag", 0);
  ComponentMask = ReadComponentMask(registryKey, walk.registry);
  if (!ReadFileTypes(walk.builtInTypeDescriptions) || !ReadProcessList() || text_->AllSectionNames().empty()) {
    ClearItems();
    ClearProcesses();
    return 0;
  }
  // Every section is seen, however many there are. A name given twice is
  // walked once, where it first stands: every read answers from that first
  // section, so a second visit could only add the same item again.
  std::unordered_set<std::string> walked;
  for (const std::string& name : text_->AllSectionNames()) {
    if (!walked.insert(ini_text::FoldCase(name)).second || IsNeverAnItemName(name)) continue;
    walk.readItem(*this, name, packageFilesDir);
  }
  if (SelfUpdateFirst) Items.remove_if([](const UpdateItem& item) { return item.UpdateRelative == 0; });
  return 1;
}

int UpdateCatalog::ReadFileTypes(const std::array<std::string, 3>& builtInDescriptions) {
  FileTypes.clear();
  if (!Loaded) return 0;
  // The catalogue holds at most 30 types; further ones are ignored.
  for (size_t n = 0; n < kMaxFileTypes; ++n) {
    FileTypeEntry type;
    type.TypeName = ReadString("FileType", Numbered("TypeName", n), "", 259);
    if (type.TypeName.empty()) break;
    type.Description = ReadString("FileType", Numbered("Descript", n), "", 499);
    if (type.Description.empty()) break;
    type.TypeId = uint32_t(1) << n;
    FileTypes.push_back(std::move(type));
  }
  if (FileTypes.empty()) {
    static const char* const kNames[] = {"Program", "Engine", "SIGN"};
    for (size_t n = 0; n < 3; ++n) FileTypes.push_back({builtInDescriptions[n], kNames[n], uint32_t(1) << n});
  }
  return 1;
}

int UpdateCatalog::ReadProcessList() {
  if (!Loaded) return 0;
  for (size_t n = 0;; ++n) {
    ProductProcess process;
    process.FileName = ReadString("ExitType", Numbered("FileName", n), "", 259);
    if (process.FileName.empty()) break;
    process.ReleaseFileName = ReadString("ExitType", Numbered("ReleaseFileName", n), "", 259);
    if (process.ReleaseFileName.empty()) process.ReleaseFileName = process.FileName;
    process.ExitType = ReadInt("ExitType", Numbered("ExitType", n), 0);
    if (ReadsParameters(process.ExitType)) {
      process.StopParam = ReadString("ExitType", Numbered("StopParam", n), "", 259);
      process.StartParam = ReadString("ExitType", Numbered("StartParam", n), "", 259);
    }
    if (ReadsComponentId(process.ExitType)) process.UID = ReadInt("ExitType", Numbered("UID", n), 0);
    Processes.push_front(std::move(process));
  }
  if (Processes.empty()) {
    Processes.push_front(BuiltInProcess("Watcher.EXE", 2));
    Processes.push_front(BuiltInProcess("ZMT9X.EXE", 1));
  }
  return 1;
}

int32_t UpdateCatalog::ReadComponentMask(const std::string& registryKey, const RegistryReader& registry) const {
  if (!Loaded) return -1;
  std::unique_ptr<RegistryValues> key = registry.OpenMachineThenUser(registryKey + "\\Install");
  if (!key) return -1;
  // Unsigned, so that a sum past the 32-bit range wraps instead of overflowing.
  uint32_t sum = 0;
  size_t n = 0;
  for (;; ++n) {
    std::string name = ReadString("Install", Numbered("ComponentName", n), "", 259);
    if (name.empty()) break;
    uint32_t installed = 0;
    if (key->ReadNumber(name, installed) && installed != 0)
      sum += uint32_t(ReadInt("Install", Numbered("ComponentValue", n), 0));
  }
  return n == 0 ? -1 : int32_t(sum);
}
