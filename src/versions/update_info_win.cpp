#include "versions/update_info.h"

#include <windows.h>

#include "catalog/ini_file.h"
#include "package/unpack_file.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "platform/file_win.h"
#include "versions/update_info_default.h"
#include "versions/version_report_entry.h"
#include "versions/version_texts_win.h"

namespace {

// Writes the whole text to a new (or replaced) file that others may read.
bool WriteNewFile(const std::string& path, std::string_view text) {
  FileHandle file(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
  return file.IsOpen() && file.WriteAll(text.data(), DWORD(text.size()));
}

// The working copy is a small INI file; one past 16 MiB is not taken.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
  FileHandle file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  uint64_t size = 0;
  if (!file.IsOpen() || !file.Size(size) || size > (1u << 24)) return false;
  bytes.resize(size_t(size));
  DWORD done = 0;
  return bytes.empty() || (file.Read(&bytes[0], DWORD(bytes.size()), done) && done == bytes.size());
}

// The version text of one entry. Methods other than the three known ones
// show the label alone.
std::string VersionText(const VersionReportEntry& entry, const std::string& programDir) {
  const std::string path = programDir + entry.fileName;
  switch (entry.method) {
    case VersionReportEntry::kResourceVersion:
      return FileVersionText(path);
    case VersionReportEntry::kHeaderVersion: {
      std::string text;
      HeaderVersionText(path, text);
      return text;
    }
    case VersionReportEntry::kDatabaseVersion:
      return DatabaseVersionText(programDir);
    default:
      return std::string();
  }
}

}  // namespace

UpdateInfo::UpdateInfo() = default;

UpdateInfo::~UpdateInfo() {
  if (!workingPath_.empty()) DeleteFileA(workingPath_.c_str());
}

int UpdateInfo::OpenUpdateInfo(const std::string& storedPath, const std::string& workingPath) {
  copy_.reset();
  workingPath_ = workingPath;
  programDir_ = FolderOfPath(storedPath);
  if (!FitsPathLimit(workingPath)) return 0;
  const bool produced =
      FileExists(storedPath) ? UnpackFile(storedPath, workingPath) != 0 : WriteNewFile(workingPath, DefaultUpdateInfoText());
  std::string bytes;
  if (!produced || !ReadWholeFile(workingPath, bytes)) return 0;
  copy_ = std::make_unique<IniFile>(bytes);
  return 1;
}

int UpdateInfo::ReadInfoInt(const char* section, const char* key, int defaultValue) const {
  return copy_ ? copy_->ReadInt(section, key, defaultValue) : 0;
}

int UpdateInfo::BeginVersionReport() {
  if (!copy_) return 0;
  reportIndex_ = 0;
  return 1;
}

int UpdateInfo::NextVersionReportLine(std::string& line) {
  VersionReportEntry entry;
  if (!copy_ || !ReadVersionReportEntry(*copy_, reportIndex_, entry)) return 0;
  line = entry.description + VersionText(entry, programDir_);
  ++reportIndex_;
  return 1;
}
