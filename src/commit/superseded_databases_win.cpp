#include "commit/superseded_databases_win.h"

#include <windows.h>

#include "commit/superseded_databases.h"
#include "platform/file_search_win.h"
#include "platform/short_path_win.h"
#include "versions/database_names.h"

namespace {

std::vector<std::string> SupersededNamesIn(const std::string& programDir) {
  std::vector<std::string> names = FindFileNames(programDir + "ZMT?????.DAT");
  const int latest = LatestDatabaseNumber(names);
  for (std::string& name : FindFileNames(programDir + "ZMT?????.UPD")) names.push_back(std::move(name));
  return SupersededDatabaseNames(names, latest);
}

}  // namespace

std::vector<std::string> ExistingSupersededDatabases(const std::string& programDir) {
  std::vector<std::string> paths;
  for (const std::string& name : SupersededNamesIn(programDir)) paths.push_back(programDir + name);
  return paths;
}

void RemoveOldDatabases(const std::string& programDir) {
  for (const std::string& path : ExistingSupersededDatabases(programDir)) DeleteFileA(path.c_str());
}

void ScheduleOldDatabaseRemovalNt(const std::string& programDir) {
  std::string base;
  if (!ShortPathOf(programDir, base)) base = programDir;
  if (!base.empty() && base.back() != '\\') base += '\\';
  for (const std::string& name : SupersededNamesIn(programDir))
    MoveFileExA((base + name).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}
