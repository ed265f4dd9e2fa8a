#include "commit/defer_replacement_win.h"

#include "app/update_run.h"
#include "commit/copy_program_win.h"
#include "commit/dos_batch_win.h"
#include "commit/nt_deferral_win.h"
#include "commit/os_family_win.h"
#include "commit/restart_folders.h"
#include "commit/wininit_route_win.h"

namespace {

// Wininit.ini takes 8.3 names only: the staged name (file name + number)
// must have at most 12 characters.
bool FitsWininit(const std::string& staged) {
  const size_t slash = staged.find_last_of('\\');
  const size_t nameLength = slash == std::string::npos ? staged.size() : staged.size() - slash - 1;
  return nameLength <= 12;
}

}  // namespace

int32_t EnsureOsFamily(UpdateRun& run) {
  if (run.osFamily == kOsFamilyUnknown) run.osFamily = DetectOsFamily();
  return run.osFamily;
}

int DeferReplacement(UpdateRun& run, const std::string& destination, const std::string& staged) {
  const RestartFolders folders{run.windowsDir, run.tempDir};
  switch (EnsureOsFamily(run)) {
    case kOsFamilyNt:
      return DeferByDelayedMove(destination, staged);
    case kOsFamily9x:
      if (FitsWininit(staged)) return DeferByWininit(folders, destination, staged);
      return DeferByDosBatch(folders, destination, staged);
    case kOsFamilyMe:
      if (FitsWininit(staged)) return DeferByWininit(folders, destination, staged);
      return DeferByCopyProgram(folders, destination, staged);
    default:
      return 0;
  }
}
