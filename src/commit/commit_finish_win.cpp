#include "commit/commit_finish_win.h"

#include "app/update_run.h"
#include "commit/copy_program_win.h"
#include "commit/dos_batch_win.h"
#include "commit/os_family.h"
#include "commit/restart_folders.h"
#include "commit/superseded_databases_win.h"
#include "commit/wininit_route.h"
#include "log/message_text.h"
#include "platform/file_system_win.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

namespace {

// Each replacement the copy program will not carry out, as message 14.
void ReportUncompletedCopies(UpdateRun& run, const RestartFolders& folders) {
  const std::string format = LoadMessage(kMsgDeferFailed);
  for (const FilePair& pair : PendingCopies(folders)) {
    const size_t slash = pair.destination.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : pair.destination.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? pair.destination : pair.destination.substr(slash + 1);
    run.log.AppendLine(FormatMessageText(format, {name, folder}));
  }
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
  if (run.osFamily == kOsFamilyMe) ReportUncompletedCopies(run, folders);
  run.updateIncomplete = 1;
  return 0;
}
