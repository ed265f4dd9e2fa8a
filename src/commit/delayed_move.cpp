#include "commit/delayed_move.h"

#include "commit/numbered_copy.h"

int DeferByDelayedMove(FileSystem& files, const std::string& destination, const std::string& staged) {
  if (!files.SetAttributes(destination, kAttributeNormal | kAttributeArchive)) return 0;
  std::string side;
  if (!CopyToFirstFreeNumberedPath(files, staged, destination, side)) return 0;
  if (files.MoveAtRestart(side, destination)) return 1;
  files.Delete(side);
  return 0;
}
