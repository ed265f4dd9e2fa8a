#include "versions/database_probe_win.h"

#include "engine/file_versions_win.h"
#include "platform/file_search_win.h"
#include "versions/database_names.h"
#include "versions/database_run.h"

int FindLatestDatabaseNumber(const std::string& programDir) {
  return LatestDatabaseNumber(FindFileNames(programDir + "ZMT?????.DAT"));
}

int GetDatabaseVersion(const std::string& programDir, VersionNumber& version) {
  auto read = [&programDir](const std::string& name) {
    VersionNumber found;
    ReadEngineVersion(programDir + name, found);
    return found;
  };
  return InstalledDatabaseVersion(FindLatestDatabaseNumber(programDir), read, version) ? 1 : 0;
}
