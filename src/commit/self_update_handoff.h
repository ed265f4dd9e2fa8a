#pragma once
// The self-update hand-off: when the catalogue asks for the runner's own
// files to be updated first, the run replaces nothing itself but leaves
// Update.inf (format in commit/self_update_entries.h) and the self-update
// program UpdateSelf.DAT in the package's source folder. The runner does not
// start that program: the product's update program (Update.EXE), which
// started the runner, starts UpdateSelf.DAT once the runner has ended; it
// copies the files and starts Update.EXE again with "/CONTINUE ".
#include <cstdint>
#include <string>
#include <vector>

#include "commit/file_pair.h"
#include "platform/file_system.h"

struct SelfUpdateRequest {
  int32_t selfUpdateFirst;          // the catalogue's request; nothing is done without it
  std::string packageSourceDir;     // where Update.inf and UpdateSelf.DAT go, ending with "\"
  std::string programDir;           // the installation, ending with "\"
  std::vector<FilePair> files;      // package copy and destination of each item, in list order
};

// Deletes any earlier Update.inf, writes `program` (the self-update
// program's bytes) to UpdateSelf.DAT, then the new Update.inf, each whole
// and flushed; Update.inf is written under another name and renamed into
// place, so that it is never seen half-written. True when both stand; on
// false neither is left behind.
bool WriteSelfUpdateHandOff(FileSystem& files, const SelfUpdateRequest& request, const std::string& program);
