#pragma once
// Names of the virus-database files in the program folder: "ZMT", five
// decimal digits, then ".DAT" for a full database or ".UPD" for an
// incremental update; 12 characters, letters in any case.
#include <string>
#include <string_view>
#include <vector>

constexpr int kMaxDatabaseNumber = 99999;

// 1 for a full-database name, else 0.
int IsDatabaseFileName(std::string_view name);
// 1 for an incremental-update name, else 0.
int IsDatabaseUpdateName(std::string_view name);

// The number at positions 3 to 7 of a 12-character name whose positions 3 to
// 7 are digits, whatever the rest; -1 for any other name.
int DatabaseNumberFromName(std::string_view name);

// "ZMT" + the number in five digits + extension (".DAT" or ".UPD"). The
// number must lie in 0..kMaxDatabaseNumber.
std::string DatabaseName(int number, std::string_view extension);

// The name of the other half of a database pair: ".UPD" for a ".DAT" name and
// the reverse; any other name is its own twin.
std::string DatabaseTwinName(std::string_view name);

// The highest number among the full-database names of a folder listing, 0
// when there is none.
int LatestDatabaseNumber(const std::vector<std::string>& names);
