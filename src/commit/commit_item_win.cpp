#include "commit/commit_item_win.h"

#include <optional>

#include "app/update_run.h"
#include "commit/defer_replacement_win.h"
#include "commit/item_replacement.h"
#include "commit/pending_restart_texts_win.h"
#include "log/message_text.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "platform/file_system_win.h"
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

}  // namespace

int CommitItem(UpdateRun& run, UpdateItem item) {
  // FileName may hold sub-folders: they are made below LocalPath, and a
  // staged copy takes the file's own name.
  const std::string destination = item.LocalPath + item.FileName;
  const std::string folder = FolderOfPath(destination);
  CreateFolderPath(folder);
  const ItemFiles files{item.SourcePath, destination, run.tempDir + destination.substr(folder.size()), item.CRC};
  const auto defer = [&run](const std::string& destination, const std::string& staged) {
    return DeferReplacement(run, destination, staged);
  };
  // Read only when a numbered name is found taken, which is rare.
  std::optional<std::vector<std::string>> pending;
  const auto leftover = [&run, &pending](const std::string& path) {
    if (!pending) pending = PendingRestartTexts({run.windowsDir, run.tempDir});
    return IsLeftoverCopy(SystemFileSystem(), *pending, path);
  };
  switch (PutItemInPlace(SystemFileSystem(), EnsureOsFamily(run), files, defer, leftover)) {
    case ItemOutcome::kReplaced:
      if (!item.Reboot) return Report(run, item, kMsgUpdated, 1);
      run.restartNeeded = 1;
      return Report(run, item, kMsgUpdatedRestart, 1);
    case ItemOutcome::kDeferred:
      run.deferredPending = 1;
      if (!item.Reboot && !item.SharedNeedReboot) return Report(run, item, kMsgDeferredCompletesOnRestart, 1);
      run.restartNeeded = 1;
      return Report(run, item, kMsgDeferredRestart, 1);
    case ItemOutcome::kCopyFailed:
      return Fail(run, item, kMsgStagingFailed);
    case ItemOutcome::kCopyDamaged:
      return Fail(run, item, kMsgUpdateFailed);
    case ItemOutcome::kDeferFailed:
      return Fail(run, item, kMsgDeferFailed);
  }
  return Fail(run, item, kMsgUpdateFailed);
}
