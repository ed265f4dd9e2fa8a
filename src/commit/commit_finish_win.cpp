#include "commit/commit_finish_win.h"

#include "app/update_run.h"
#include "commit/copy_program_win.h"
#include "commit/dos_batch_win.h"
#include "commit/os_family.h"
#include "commit/restart_folders.h"
#include "commit/superseded_databases_win.h"
#include "commit/wininit_route.h"
#include "log/message_text.h"
#include "paths/path_ops.h"
#include "platform/file_system_win.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

namespace {

// Each replacement the restart program will not carry out, as message 14.
void ReportUncompleted(UpdateRun& run, const std::vector<std::string>& destinations) {
  const std::string format = LoadMessage(kMsgDeferFailed);
  for (const std::string& destination : destinations) {
    const std::string folder = FolderOfPath(destination);
    run.log.AppendLine(FormatMessageText(format, {destination.substr(folder.size()), folder}));
  }
}

std::vector<std::string> PendingCopyDestinations(const RestartFolders& folders) {
  std::vector<std::string> destinations;
  for (const FilePair& pair : PendingCopies(folders)) destinations.push_back(pair.destination);
  return destinations;
}

}  // namespace

int FinishCommit(UpdateRun& run) {
  if (!run.deferredPending) {
    RemoveOldDatabases(run.programDir);
    return 1;
  }
  if (run.osFamily != kOsFamily9x && run.osFamily != kOsFamilyMe) {
    ScheduleOldDatabaseRemovalNt(run.programDir);
    return 1;
  }
  const RestartFolders folders{run.windowsDir, run.tempDir};
  ScheduleOldDatabaseRemoval9x(SystemFileSystem(), folders, ExistingSupersededDatabases(run.programDir));
  const bool armed = run.osFamily == kOsFamily9x ? ArmDosBatch(folders) != 0 : ArmCopyProgram(folders) != 0;
  if (armed) return 1;
  ReportUncompleted(run, run.osFamily == kOsFamily9x ? PendingBatchMoves(folders) : PendingCopyDestinations(folders));
  run.updateIncomplete = 1;
  return 0;
}
