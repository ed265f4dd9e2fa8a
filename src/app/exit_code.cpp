#include "app/exit_code.h"

int UnattendedExitCode(Preparation preparation, bool packageIntact, bool updateIncomplete, bool restartPending) {
  if (preparation == Preparation::kRefused) return kExitRefused;
  if (preparation == Preparation::kFailed || !packageIntact || updateIncomplete) return kExitFailed;
  return restartPending ? kExitRestartNeeded : kExitDone;
}
