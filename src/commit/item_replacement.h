#pragma once
// The file steps of putting one item's new file in place of the installed
// one, over the file-system seam; the caller logs the outcome.
#include <cstdint>
#include <functional>
#include <string>

#include "commit/leftover_copies.h"
#include "platform/file_system.h"

struct ItemFiles {
  std::string source;       // the package copy
  std::string destination;  // the installed file (full path)
  std::string staging;      // where a locked file's new copy is staged: temporary folder + file name
  std::string crc;          // the catalogue's CRC-32 text
};

enum class ItemOutcome {
  kReplaced,
  kDeferred,     // the installed file is locked; the new one replaces it at the next restart
  kCopyFailed,   // the side or staged copy could not be made
  kCopyDamaged,  // a copy does not match the catalogue's CRC-32
  kDeferFailed,  // the replacement at the next restart could not be registered
};

// Registers that the staged file replaces the destination at the next
// restart; 1 when registered.
using RestartReplacement = std::function<int(const std::string& destination, const std::string& staged)>;

// Copies the package file beside the installed file, checks the copy (the
// CRC-32 of the bytes it read, every byte written) and only then puts it in
// place (see ReplaceFile), so an installed file is never left half-written
// nor missing. When the installed file cannot be
// replaced (it is locked), the new file is staged (staging + first free
// number), checked, and handed to `defer`. A copy that failed or did not
// match is deleted; numbered copies that `leftover` finds left over by an
// earlier run cut short are deleted on the way.
ItemOutcome PutItemInPlace(FileSystem& files, int32_t osFamily, const ItemFiles& item,
                           const RestartReplacement& defer, const LeftoverTest& leftover);
