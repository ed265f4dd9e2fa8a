#include "catalog/update_catalog.h"

#include "catalog/ini_text.h"
#include "paths/path_ops.h"
#include "procctl/process_stop_record.h"

namespace {

// Only the ASCII letters change, byte by byte.
std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return text;
}

}  // namespace

UpdateCatalog::~UpdateCatalog() { CloseCatalogue(); }

void UpdateCatalog::CloseCatalogue() {
  if (removeTextFile_) removeTextFile_();
  ClearItems();
  ClearProcesses();
}

void UpdateCatalog::UseText(std::string_view bytes) {
  text_.emplace(bytes);
  Loaded = true;
}

std::string UpdateCatalog::ReadString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, unsigned limit) const {
  if (!HasText()) return defaultValue.substr(0, limit);
  return text_->ReadString(section, key, defaultValue, size_t(limit) + 1);
}

int32_t UpdateCatalog::ReadInt(const std::string& section, const std::string& key, int32_t defaultValue) const {
  if (!HasText()) return defaultValue;
  return text_->ReadInt(section, key, defaultValue);
}

int UpdateCatalog::ReadText(const char* section, const char* key, std::string& out, unsigned limit) const {
  if (!Loaded) return 0;
  out = ReadString(section, key, "", limit);
  return 1;
}

PackageType UpdateCatalog::PacketType() const {
  if (!Loaded) return kGeneralAntivirus;
  return PackageTypeFromText(ReadString("COMMENT", "PacketType", "General_DB", 49));
}

int UpdateCatalog::HeaderVersion() const {
  if (!Loaded) return -1;
  return ReadInt("COMMENT", "Version", 0);
}

int UpdateCatalog::PathName(std::string& out) const { return ReadText("COMMENT", "PathName", out, 259); }

bool UpdateCatalog::ArchiveFolder(std::string& out) const { return PathName(out) && StaysBelowItsFolder(out); }

int UpdateCatalog::FindProcess(const std::string& name, const std::string& programDir, ProcessStopRecord& record,
                               int32_t& exitType) const {
  record = ProcessStopRecord();
  exitType = -1;
  if (!Loaded) return 0;
  const std::string wanted = ini_text::FoldCase(name);
  for (const ProductProcess& process : Processes) {
    if (ini_text::FoldCase(process.FileName) != wanted) continue;
    std::string programPath = programDir + process.ReleaseFileName;
    // A path cut to the limit would name another file: such a component
    // cannot be stopped by its program. A service (exit type 2) is stopped by
    // its name and needs no program path.
    if (FitsPathLimit(programPath))
      record.programPath = std::move(programPath);
    else if (process.ExitType != 2)
      return 0;
    record.componentId = process.UID;
    record.stopParam = process.StopParam;
    record.startParam = process.StartParam;
    exitType = process.ExitType;
    return 1;
  }
  return 0;
}

void UpdateCatalog::AddCallBy(const std::string& text) {
  if (UpperAscii(CallByList).find(UpperAscii(text)) != std::string::npos) return;
  CallByList += text;
}

uint32_t UpdateCatalog::TypeMask() const {
  if (!Loaded) return 0;
  uint32_t mask = 0;
  for (const FileTypeEntry& type : FileTypes) mask += type.TypeId;
  return mask;
}
