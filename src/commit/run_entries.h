#pragma once
// The `Run` value of Win.ini's [windows] section: the programs Windows starts
// at its next start, separated by blanks (commas are taken as separators as
// well). Entries compare without regard to ASCII case. The runner adds the
// copy program to the value and the copy program takes itself out again once
// it has run, so the programs the user listed there stay listed.
#include <string>

bool HasRunEntry(const std::string& value, const std::string& entry);

// The value with `entry` added after the existing entries; unchanged when it
// is listed already.
std::string AddRunEntry(const std::string& value, const std::string& entry);

// The value without any occurrence of `entry`, the other entries joined by
// single blanks in their order; unchanged when `entry` is not listed.
std::string RemoveRunEntry(const std::string& value, const std::string& entry);
