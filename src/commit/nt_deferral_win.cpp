#include "commit/nt_deferral_win.h"

#include <windows.h>

#include "commit/numbered_copy_win.h"

int DeferByDelayedMove(const std::string& destination, const std::string& staged) {
  if (!SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_ARCHIVE)) return 0;
  // A copy cut short (a full disk) is removed rather than left to fill it.
  std::string side;
  if (!CopyToFirstFreeNumberedPath(staged, destination, side)) return 0;
  if (!MoveFileExA(side.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT))
    return 0;
  return 1;
}
