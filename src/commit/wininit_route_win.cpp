#include "commit/wininit_route_win.h"

#include <windows.h>

#include "commit/wininit_blocks.h"
#include "commit/wininit_file_win.h"
#include "commit/wininit_tmp_name.h"
#include "paths/folders_win.h"
#include "platform/short_path_win.h"

namespace {

std::string WininitPath(const RestartFolders& folders) { return folders.windowsDir + "wininit.ini"; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int DeferByWininit(const RestartFolders& folders, const std::string& destination, const std::string& staged) {
  std::string shortDestination;
  if (!ShortPathOf(destination, shortDestination)) return 0;
  const std::string iniPath = WininitPath(folders);
  std::string iniText;
  if (!ReadWininit(iniPath, iniText)) return 0;

  const std::string tmp = ChooseTmpPath(iniText, shortDestination, Exists);
  if (tmp.empty()) return 0;
  const bool newCopy = !Exists(tmp);
  // A copy cut short (a full disk) must not stay for the restart to move.
  if (CopyFileA(staged.c_str(), tmp.c_str(), FALSE) && MergeWininitBlock(iniPath, RouteBlock(shortDestination, tmp)))
    return 1;
  if (newCopy) DeleteFileA(tmp.c_str());
  return 0;
}

int ScheduleOldDatabaseRemoval9x(const RestartFolders& folders, const std::vector<std::string>& databaseFiles) {
  std::vector<std::string> shortPaths;
  for (const std::string& file : databaseFiles) {
    std::string shortPath;
    if (FileExists(file) && ShortPathOf(file, shortPath)) shortPaths.push_back(shortPath);
  }
  return MergeWininitBlock(WininitPath(folders), DeletionBlock(shortPaths));
}
