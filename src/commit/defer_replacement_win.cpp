#include "commit/defer_replacement_win.h"

#include "app/update_run.h"
#include "commit/copy_program_win.h"
#include "commit/dos_batch_win.h"
#include "commit/delayed_move.h"
#include "commit/os_family.h"
#include "commit/os_family_win.h"
#include "commit/restart_folders.h"
#include "commit/wininit_route.h"
#include "platform/file_system_win.h"

int32_t EnsureOsFamily(UpdateRun& run) {
  if (run.osFamily == kOsFamilyUnknown) run.osFamily = DetectOsFamily();
  return run.osFamily;
}

int DeferReplacement(UpdateRun& run, const std::string& destination, const std::string& staged) {
  const RestartFolders folders{run.windowsDir, run.tempDir};
  switch (EnsureOsFamily(run)) {
    case kOsFamilyNt:
      return DeferByDelayedMove(SystemFileSystem(), destination, staged);
    case kOsFamily9x:
      if (StagedNameFitsWininit(staged)) return DeferByWininit(SystemFileSystem(), folders, destination, staged);
      return DeferByDosBatch(folders, destination, staged);
    case kOsFamilyMe:
      if (StagedNameFitsWininit(staged)) return DeferByWininit(SystemFileSystem(), folders, destination, staged);
      return DeferByCopyProgram(folders, destination, staged);
    default:
      return 0;
  }
}
