#include "commit/commit_item_win.h"

#include <windows.h>

#include "app/update_run.h"
#include "commit/numbered_copy_win.h"
#include "commit/defer_replacement_win.h"
#include "commit/os_family.h"
#include "engine/file_crc32.h"
#include "log/message_text.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

namespace {

int Report(UpdateRun& run, const UpdateItem& item, unsigned message, int result) {
  run.log.AppendLine(FormatMessageText(LoadMessage(message), {item.FileName, item.LocalPath}));
  return result;
}

int Fail(UpdateRun& run, const UpdateItem& item, unsigned message) {
  run.updateIncomplete = 1;
  return Report(run, item, message, 0);
}

// Moves the verified side file onto the destination in one step. The
// 95/98/Me family has no replace-existing move: there the destination is
// deleted first, and a delete that fails means the file is locked. Should
// the rename fail after the delete, the side file is copied instead. False
// when the destination could not be replaced (it is locked).
bool ReplaceWithSideFile(UpdateRun& run, const std::string& side, const std::string& destination) {
  const int32_t family = EnsureOsFamily(run);
  if (family != kOsFamily9x && family != kOsFamilyMe)
    return MoveFileExA(side.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  if (FileExists(destination) && !DeleteFileA(destination.c_str())) return false;
  if (MoveFileA(side.c_str(), destination.c_str())) return true;
  return CopyFileA(side.c_str(), destination.c_str(), FALSE) != 0;
}

// Clears the attributes of an installed file that would stop its
// replacement (read-only, hidden, system). A query first: setting attributes
// opens and closes the file, under Wine three round trips to its server, and
// most destinations have none of these, or do not exist yet.
void ClearBlockingAttributes(const std::string& destination) {
  const DWORD blocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const DWORD attributes = GetFileAttributesA(destination.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & blocking))
    SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The installed file is locked: stage the new file in the temporary folder
// and have it put in place at the next restart. The staged copy is checked
// before it is registered, so that a damaged copy is never installed later.
// It takes the file's own name: FileName may hold sub-folders.
int DeferLockedItem(UpdateRun& run, const UpdateItem& item, const std::string& destination) {
  std::string staged;
  const std::string name = destination.substr(FolderOfPath(destination).size());
  if (!CopyToFirstFreeNumberedPath(item.SourcePath, run.tempDir + name, staged))
    return Fail(run, item, kMsgStagingFailed);
  if (!MatchesCrc(staged, item.CRC.c_str())) {
    DeleteFileA(staged.c_str());
    return Fail(run, item, kMsgUpdateFailed);
  }
  if (!DeferReplacement(run, destination, staged)) return Fail(run, item, kMsgDeferFailed);
  run.deferredPending = 1;
  if (item.Reboot || item.SharedNeedReboot) {
    run.restartNeeded = 1;
    return Report(run, item, kMsgDeferredRestart, 1);
  }
  return Report(run, item, kMsgDeferredCompletesOnRestart, 1);
}

}  // namespace

int CommitItem(UpdateRun& run, UpdateItem item) {
  const std::string destination = item.LocalPath + item.FileName;
  CreateFolderPath(FolderOfPath(destination));
  ClearBlockingAttributes(destination);

  std::string side;
  if (!CopyToFirstFreeNumberedPath(item.SourcePath, destination, side)) return Fail(run, item, kMsgStagingFailed);
  if (!MatchesCrc(side, item.CRC.c_str())) {
    DeleteFileA(side.c_str());
    return Fail(run, item, kMsgUpdateFailed);
  }
  if (!ReplaceWithSideFile(run, side, destination)) {
    DeleteFileA(side.c_str());
    return DeferLockedItem(run, item, destination);
  }
  if (item.Reboot) {
    run.restartNeeded = 1;
    return Report(run, item, kMsgUpdatedRestart, 1);
  }
  return Report(run, item, kMsgUpdated, 1);
}
