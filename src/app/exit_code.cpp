#include "app/exit_code.h"

int UnattendedExitCode(Preparation preparation, bool packageIntact, bool updateIncomplete, bool restartNeeded) {
  if (preparation == Preparation::kRefused) return kExitRefused;
  if (preparation == Preparation::kFailed || !packageIntact || updateIncomplete) return kExitFailed;
  return restartNeeded ? kExitRestartNeeded : kExitDone;
}
