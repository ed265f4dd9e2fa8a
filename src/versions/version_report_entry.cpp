#include "versions/version_report_entry.h"

#include "catalog/ini_file.h"

namespace {
constexpr char kSection[] = "DisplayVer";
// Values are read into 500-byte buffers: 499 bytes and the terminator.
constexpr std::size_t kValueBuffer = 500;
}  // namespace

bool ReadVersionReportEntry(const IniFile& info, int index, VersionReportEntry& entry) {
  const std::string number = std::to_string(index);
  entry.description = info.ReadString(kSection, "Descript" + number, "", kValueBuffer);
  if (entry.description.empty()) return false;
  entry.fileName = info.ReadString(kSection, "FileName" + number, "", kValueBuffer);
  if (entry.fileName.empty()) return false;
  entry.method = info.ReadInt(kSection, "VersionMethod" + number, VersionReportEntry::kResourceVersion);
  return true;
}
