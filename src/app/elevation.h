#pragma once
// Whether a run may go on with the rights it has. From Windows Vista on, a
// program started by an administrator runs with a filtered token unless it is
// elevated; its writes to the program folder and HKEY_LOCAL_MACHINE would
// fail, or land in the user's VirtualStore where the product never looks.
// Older systems have no such split: the run goes on there as it always did.
#include <cstdint>

struct ElevationState {
  int32_t osFamily = 0;        // kOsFamily... of commit/os_family.h
  uint32_t ntMajorVersion = 0; // GetVersionExA's major version on NT
  bool elevated = false;       // the process token is elevated (or a full token)
  bool canElevate = false;     // the user is an administrator with a filtered token
  bool silent = false;         // /S: no window, no prompt
};

enum class ElevationStep {
  kProceed,           // run with the rights the process has
  kRelaunchElevated,  // start the runner again elevated, wait, pass its exit code on
  kRefuse,            // stop before touching anything: the rights cannot be had
};

ElevationStep DecideElevation(const ElevationState& state);
