#include "discovery/install_folder_entry.h"

#include "paths/path_ops.h"

FolderEntry NormaliseFolderEntry(std::string& folder) {
  if (folder.empty()) return FolderEntry::kEmpty;
  std::string withBackslash = folder;
  EnsureTrailingBackslash(withBackslash);
  // The folder is kept in a path buffer and written to the registry as it
  // is: refuse it rather than cut it into another folder.
  if (!FitsPathLimit(withBackslash)) return FolderEntry::kTooLong;
  folder = withBackslash;
  return FolderEntry::kToCheck;
}
