#include "paths/path_ops.h"

#include <algorithm>
#include <cstring>

namespace {

// Byte offsets at which characters start, for a code page 936 text.
template <typename Visit>
void ForEachCharacter(const std::string& text, Visit visit) {
  for (size_t i = 0; i < text.size();) {
    size_t width = CharacterWidthAt(text, i);
    visit(i, width);
    i += width;
  }
}

bool EqualsIgnoreCase(const std::string& a, const char* b) {
  size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// Byte offset of the first backslash character, or npos.
size_t FirstBackslash(const std::string& text) {
  size_t found = std::string::npos;
  ForEachCharacter(text, [&](size_t at, size_t width) {
    if (found == std::string::npos && width == 1 && text[at] == '\\') found = at;
  });
  return found;
}

// Text without its last character (character-aware).
std::string DropLastCharacter(const std::string& text) {
  size_t last = 0;
  ForEachCharacter(text, [&](size_t at, size_t) { last = at; });
  return text.substr(0, text.empty() ? 0 : last);
}

}  // namespace

bool FitsPathLimit(const std::string& path) { return path.size() <= kMaxPathLength; }

size_t CharacterWidthAt(const std::string& text, size_t at) {
  unsigned char c = static_cast<unsigned char>(text[at]);
  return (c >= 0x81 && c <= 0xFE && at + 1 < text.size()) ? 2 : 1;
}

std::vector<std::string> SplitAtBackslashes(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  ForEachCharacter(path, [&](size_t at, size_t width) {
    if (width != 1 || path[at] != '\\') return;
    parts.push_back(path.substr(start, at - start));
    start = at + 1;
  });
  parts.push_back(path.substr(start));
  return parts;
}

bool EndsWithBackslash(const std::string& path) {
  bool ends = false;
  ForEachCharacter(path, [&](size_t at, size_t width) { ends = (width == 1 && path[at] == '\\'); });
  return ends;
}

bool HasClimbingLevel(const std::string& path) {
  std::string unified = path;
  // '/' is never part of a double-byte character.
  for (char& c : unified)
    if (c == '/') c = '\\';
  for (const std::string& level : SplitAtBackslashes(unified))
    if (level.find_first_not_of(". ") == std::string::npos && std::count(level.begin(), level.end(), '.') >= 2)
      return true;
  return false;
}

bool StaysBelowItsFolder(const std::string& path) {
  return path.find(':') == std::string::npos && path.rfind('\\', 0) != 0 && path.rfind('/', 0) != 0 &&
         !HasClimbingLevel(path);
}

void EnsureTrailingBackslash(std::string& path) {
  if (!EndsWithBackslash(path)) path += '\\';
}

std::string FolderOfPath(const std::string& path) {
  size_t end = 0;
  ForEachCharacter(path, [&](size_t at, size_t width) {
    if (width == 1 && path[at] == '\\') end = at + 1;
  });
  return path.substr(0, end);
}

std::vector<std::string> FolderPathLevels(const std::string& path) {
  std::vector<std::string> levels;
  ForEachCharacter(path, [&](size_t at, size_t width) {
    if (width != 1 || path[at] != '\\') return;
    std::string prefix = path.substr(0, at);
    if (!prefix.empty() && prefix.back() != ':') levels.push_back(prefix);
  });
  levels.push_back(EndsWithBackslash(path) ? std::string() : path);
  return levels;
}

int ExpandPathMacro(std::string& value, const std::string& defaultDir, const MacroFolders& folders) {
  std::string result;
  if (value.empty()) {
    result = defaultDir;
  } else if (EqualsIgnoreCase(value, "%PROGRAMDIR%")) {
    result = folders.programDir;
  } else if (EqualsIgnoreCase(value, "%TEMPDIR%")) {
    result = folders.tempDir;
  } else if (EqualsIgnoreCase(value, "%SYSTEMDIR%")) {
    result = folders.systemDir;
  } else if (EqualsIgnoreCase(value, "%WINDIR%")) {
    result = folders.windowsDir;
  } else if (value.find("%PROGRAMDIR\\") != std::string::npos) {
    result = DropLastCharacter(folders.programDir + value.substr(FirstBackslash(value) + 1));
  } else {
    return 0;
  }
  EnsureTrailingBackslash(result);
  if (!FitsPathLimit(result)) return 0;
  value = result;
  return 1;
}
