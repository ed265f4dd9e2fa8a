#pragma once
// The item step: reads one catalogue section as a file item, asks the update
// decision whether this machine needs the file, checks the package's copy of
// it and keeps the item in the catalogue.
#include <functional>
#include <string>

#include "engine/item_decision.h"
#include "paths/path_ops.h"

class UpdateCatalog;
struct UpdateItem;

struct ItemStepContext {
  MacroFolders folders;  // for LocalPath; programDir is also its default folder
  UpdateDecision decide;
  // 1 when the file at `path` has the CRC-32 written in decimal as `crc`.
  std::function<int(const std::string& path, const std::string& crc)> matchesCrc;
  // Appends a time-stamped line to the update log.
  std::function<void(const std::string& line)> appendLogLine;
  std::string sourceDamagedText;  // message 5; %s is the package copy's path
};

// Handles section `sectionName`: a section that is no item adds nothing; an
// item is parsed, decided, checked and, when needed, put at the front of the
// catalogue's items, its CallBy added and the self-update flag set. Returns 0
// when the item was rejected, else 1.
int ReadItem(UpdateCatalog& catalog, const std::string& sectionName, const std::string& packageFilesDir,
             const ItemStepContext& context);

// Why ParseItem rejected an item: the key at fault (missing or empty unless
// said otherwise), or the path limit.
enum class ItemReject {
  kNone,
  kFileName,
  kFileSize,
  kVersion,
  kCRC,
  kReboot,
  kRemotePath,
  kRemotePathOutside,  // a ".." level, a drive or a rooted path
  kLocalPath,          // empty or no folder the runner can expand
  kLocalPathClimbs,    // a ".." level
  kPathLimit
};

// Fills the item from its section (item.SectionName). 0 when a required key is
// missing or empty, or a path of the item cannot be formed within the path
// limit; else 1. `reject`, when given, receives the reason (kNone on success).
int ParseItem(const UpdateCatalog& catalog, UpdateItem& item, const std::string& packageFilesDir,
              const MacroFolders& folders, ItemReject* reject = nullptr);
