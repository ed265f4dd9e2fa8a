#include "commit/wininit_route_win.h"

#include <windows.h>

#include "commit/numbered_copy_win.h"
#include "commit/wininit_blocks.h"
#include "commit/wininit_file_win.h"
#include "commit/wininit_tmp_name.h"
#include "paths/folders_win.h"
#include "platform/short_path_win.h"

namespace {

std::string WininitPath(const RestartFolders& folders) { return folders.windowsDir + "wininit.ini"; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Writes the staged file to `tmp`; a copy cut short (a full disk) must not
// stay for the restart to move. A TMP that an earlier run's entry already
// names is replaced only once the new copy stands whole beside it, so that
// until then the restart still finds the earlier, whole copy.
bool WriteTmpCopy(const std::string& staged, const std::string& tmp) {
  if (!Exists(tmp)) {
    if (CopyFileA(staged.c_str(), tmp.c_str(), FALSE)) return true;
    DeleteFileA(tmp.c_str());
    return false;
  }
  std::string fresh;
  if (!CopyToFirstFreeNumberedPath(staged, tmp, fresh)) return false;
  SetFileAttributesA(tmp.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(tmp.c_str()) && MoveFileA(fresh.c_str(), tmp.c_str())) return true;
  DeleteFileA(fresh.c_str());
  return false;
}

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
  if (!WriteTmpCopy(staged, tmp)) return 0;
  if (MergeWininitBlock(iniPath, RouteBlock(shortDestination, tmp))) return 1;
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
