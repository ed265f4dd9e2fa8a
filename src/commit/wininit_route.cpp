#include "commit/wininit_route.h"

#include "commit/numbered_copy.h"
#include "commit/wininit_blocks.h"
#include "commit/wininit_file.h"
#include "commit/wininit_text.h"
#include "commit/wininit_tmp_name.h"
#include "platform/whole_file.h"

namespace {

std::string WininitPath(const RestartFolders& folders) { return folders.windowsDir + "wininit.ini"; }

}  // namespace

int DeferByWininit(FileSystem& files, const RestartFolders& folders, const std::string& destination,
                   const std::string& staged) {
  std::string shortDestination;
  if (!files.ShortPath(destination, shortDestination)) return 0;
  const std::string iniPath = WininitPath(folders);
  std::string iniText;
  if (!ReadWininit(files, iniPath, iniText)) return 0;

  const auto exists = [&files](const std::string& path) { return PathExists(files, path); };
  const std::string tmp = ChooseTmpPath(iniText, shortDestination, exists);
  if (tmp.empty() || CopyToNewFile(files, staged, tmp) != CopyOutcome::kCopied) return 0;
  const std::string pending = PendingTmpPath(iniText, shortDestination);
  const RenameMerge merge = pending.empty() ? MergeRenameBlock(iniText, RouteBlock(shortDestination, tmp))
                                            : RetargetRenameLine(iniText, shortDestination, pending, tmp);
  if (!merge.changed || !WriteWininit(files, iniPath, merge.text)) {
    files.SetAttributes(tmp, kAttributeNormal);
    files.Delete(tmp);
    return 0;
  }
  if (!pending.empty()) {
    files.SetAttributes(pending, kAttributeNormal);
    files.Delete(pending);
  }
  return 1;
}

int ScheduleOldDatabaseRemoval9x(FileSystem& files, const RestartFolders& folders,
                                 const std::vector<std::string>& databaseFiles) {
  std::vector<std::string> shortPaths;
  for (const std::string& file : databaseFiles) {
    std::string shortPath;
    if (files.ShortPath(file, shortPath)) {
      shortPaths.push_back(shortPath);
      continue;
    }
    // Gone since it was listed: nothing to delete. Any other failure would
    // leave the file in place while the caller counted on its removal.
    const uint32_t error = files.LastError();
    if (error != kErrorFileNotFound && error != kErrorPathNotFound) return 0;
  }
  return MergeWininitBlock(files, WininitPath(folders), DeletionBlock(shortPaths));
}
