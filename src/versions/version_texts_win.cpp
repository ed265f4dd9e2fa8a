#include "versions/version_texts_win.h"

#include "engine/file_versions_win.h"
#include "versions/database_probe_win.h"
#include "versions/version_format.h"

std::string DatabaseVersionText(const std::string& programDir) {
  VersionNumber version;
  GetDatabaseVersion(programDir, version);
  return FormatVersion(version);
}

std::string FileVersionText(const std::string& path) {
  // A file without version resource is shown as version 0.1.
  static constexpr VersionNumber kNoResource{1, 0};
  VersionNumber version;
  return FormatVersion(ReadResourceVersion(path, version) ? version : kNoResource);
}

int HeaderVersionText(const std::string& path, std::string& text) {
  VersionNumber version;
  if (!ReadHeaderVersion(path, version)) return 0;
  text = FormatVersion(version);
  return 1;
}
