#pragma once
// The `Run` value of Win.ini's [windows] section: the programs Windows starts
// at its next start, separated by blanks (commas are taken as separators as
// well). Entries compare without regard to ASCII case. The runner adds the
// copy program to the value and the copy program takes itself out again once
// it has run, so the programs the user listed there stay listed.
//
// The core works on plain characters (no library calls, no exceptions),
// so that the small carried copy program can share it.
#include <cstddef>
#include <string>
#include <string_view>

bool HasRunEntry(std::string_view value, std::string_view entry);

// Writes the value without any occurrence of `entry` to `out` (room for
// value.size() bytes), the other entries joined by single blanks in their
// order, and returns its length. When `entry` is not listed the value is
// copied unchanged.
std::size_t RemoveRunEntryInto(std::string_view value, std::string_view entry, char* out);

// The value with `entry` added after the existing entries; unchanged when it
// is listed already.
inline std::string AddRunEntry(const std::string& value, const std::string& entry) {
  if (HasRunEntry(value, entry)) return value;
  std::size_t end = value.find_last_not_of(" \t,");
  return end == std::string::npos ? entry : value.substr(0, end + 1) + " " + entry;
}

inline std::string RemoveRunEntry(const std::string& value, const std::string& entry) {
  std::string rest(value.size(), '\0');
  rest.resize(RemoveRunEntryInto(value, entry, rest.data()));
  return rest;
}
