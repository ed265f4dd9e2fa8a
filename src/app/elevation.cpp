#include "app/elevation.h"

#include "commit/os_family.h"

ElevationStep DecideElevation(const ElevationState& state) {
  if (state.osFamily != kOsFamilyNt || state.ntMajorVersion < 6 || state.elevated) return ElevationStep::kProceed;
  // An unattended run never prompts: nobody may be there to answer.
  if (state.silent || !state.canElevate) return ElevationStep::kRefuse;
  return ElevationStep::kRelaunchElevated;
}
