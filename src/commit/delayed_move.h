#pragma once
// The Windows NT replacement of a locked file: the new file is copied beside
// the destination, in its own folder, and the system moves that copy onto
// the destination at the next start (delayed move).
#include <string>

#include "platform/file_system.h"

// Makes the destination's attributes normal, copies `staged` to the first
// free destination + number and registers the delayed move of that copy onto
// `destination`. 1 when the move is registered, else 0 (and no side copy is
// left).
int DeferByDelayedMove(FileSystem& files, const std::string& destination, const std::string& staged);
