#include "commit/run_entries.h"

#include <cstring>

#include "catalog/ini_text.h"

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

// The entry that starts at or after `at`; empty at the end of the value.
// Separators are ASCII, so they never stand inside a double-byte character.
std::string_view NextEntry(std::string_view value, std::size_t& at) {
  while (at < value.size() && IsSeparator(value[at])) ++at;
  std::size_t start = at;
  while (at < value.size() && !IsSeparator(value[at])) at += ini_text::CharLength(value, at);
  return std::string_view(value.data() + start, at - start);
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Equal but for the case of ASCII letters that stand alone as characters.
bool SameEntry(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    std::size_t width = ini_text::CharLength(a, i);
    if (width == 1 ? AsciiLower(a[i]) != AsciiLower(b[i]) : std::memcmp(&a[i], &b[i], width) != 0) return false;
    i += width;
  }
  return true;
}

}  // namespace

bool HasRunEntry(std::string_view value, std::string_view entry) {
  std::size_t at = 0;
  for (std::string_view listed = NextEntry(value, at); !listed.empty(); listed = NextEntry(value, at)) {
    if (SameEntry(listed, entry)) return true;
  }
  return false;
}

std::size_t RemoveRunEntryInto(std::string_view value, std::string_view entry, char* out) {
  if (!HasRunEntry(value, entry)) {
    std::memcpy(out, value.data(), value.size());
    return value.size();
  }
  std::size_t length = 0;
  std::size_t at = 0;
  for (std::string_view listed = NextEntry(value, at); !listed.empty(); listed = NextEntry(value, at)) {
    if (SameEntry(listed, entry)) continue;
    if (length > 0) out[length++] = ' ';
    std::memcpy(out + length, listed.data(), listed.size());
    length += listed.size();
  }
  return length;
}
