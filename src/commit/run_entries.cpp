#include "commit/run_entries.h"

#include <vector>

#include "catalog/ini_text.h"

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

std::vector<std::string> Entries(const std::string& value) {
  std::vector<std::string> entries;
  size_t at = 0;
  while (at < value.size()) {
    if (IsSeparator(value[at])) {
      ++at;
      continue;
    }
    // Separators are ASCII, so they never stand inside a double-byte character.
    size_t end = at;
    while (end < value.size() && !IsSeparator(value[end])) end += ini_text::CharLength(value, end);
    entries.push_back(value.substr(at, end - at));
    at = end;
  }
  return entries;
}

bool SameEntry(const std::string& a, const std::string& b) { return ini_text::FoldCase(a) == ini_text::FoldCase(b); }

}  // namespace

bool HasRunEntry(const std::string& value, const std::string& entry) {
  for (const std::string& listed : Entries(value)) {
    if (SameEntry(listed, entry)) return true;
  }
  return false;
}

std::string AddRunEntry(const std::string& value, const std::string& entry) {
  if (HasRunEntry(value, entry)) return value;
  size_t end = value.size();
  while (end > 0 && IsSeparator(value[end - 1])) --end;
  if (end == 0) return entry;
  return value.substr(0, end) + " " + entry;
}

std::string RemoveRunEntry(const std::string& value, const std::string& entry) {
  if (!HasRunEntry(value, entry)) return value;
  std::string kept;
  for (const std::string& listed : Entries(value)) {
    if (SameEntry(listed, entry)) continue;
    if (!kept.empty()) kept += ' ';
    kept += listed;
  }
  return kept;
}
