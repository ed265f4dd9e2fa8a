#include "app/update_run.h"

void UpdateRun::ResetForRun(int32_t showVersionReportFlag) {
  showVersionReport = showVersionReportFlag;
  packageFilesDir.clear();
  extractedCrcs.clear();
  restartNeeded = 0;
  updateIncomplete = 0;
  deferredPending = 0;
  osFamily = -1;
  catalogTypeMask = 0;
  selfUpdateFirst = 0;
}
