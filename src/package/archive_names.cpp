#include "package/archive_names.h"

#include <cstring>

#include "paths/path_ops.h"

namespace {

bool IsValidTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

bool IsForbiddenCharacter(unsigned char c) { return c < 0x20 || std::strchr("<>:\"/\\|?*", c) != nullptr; }

// True when every character is well-formed code page 936 and none is forbidden.
bool HasOnlyAllowedCharacters(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[at]);
    if (CharacterWidthAt(text, at) == 2) {
      if (!IsValidTrailByte(static_cast<unsigned char>(text[at + 1]))) return false;
      at += 2;
      continue;
    }
    // A lead byte with nothing after it would swallow a following separator.
    if (c >= 0x81 && c <= 0xFE) return false;
    if (IsForbiddenCharacter(c)) return false;
    ++at;
  }
  return true;
}

bool IsDotsAndBlanks(const std::string& text) { return text.find_first_not_of(". ") == std::string::npos; }

// CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9, in any case and with any
// extension, name devices rather than files.
bool IsDeviceName(const std::string& component) {
  std::string stem = component.substr(0, component.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

bool IsSafeComponent(const std::string& component) {
  return !component.empty() && HasOnlyAllowedCharacters(component) && !IsDotsAndBlanks(component) &&
         !IsDeviceName(component);
}

}  // namespace

bool PlaceArchiveEntry(const ArchiveEntry& entry, EntryPlacement& placement) {
  if (!entry.nameTerminated || !entry.folderTerminated) return false;
  if (!IsSafeComponent(entry.name)) return false;
  std::vector<std::string> folders;
  if (!entry.folder.empty()) {
    folders = SplitAtBackslashes(entry.folder);
    if (folders.size() > 1 && folders.back().empty()) folders.pop_back();
    for (const std::string& folder : folders) {
      if (!IsSafeComponent(folder)) return false;
    }
  }
  placement.folders = std::move(folders);
  placement.name = entry.name;
  return true;
}

bool BuildEntryPaths(const std::string& destination, const EntryPlacement& placement, std::string& folderPath,
                     std::string& filePath) {
  std::string folder;
  for (const std::string& level : placement.folders) {
    folder += (folder.empty() ? "" : "\\") + level;
  }
  std::string file = destination + folder + (folder.empty() ? "" : "\\") + placement.name;
  if (!FitsPathLimit(file)) return false;
  folderPath = folder.empty() ? std::string() : destination + folder;
  filePath = file;
  return true;
}
