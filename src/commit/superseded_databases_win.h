#pragma once
// Removal of the virus-database files that the newest full database in the
// program folder makes obsolete: at once, or at the next start of Windows NT.
#include <string>
#include <vector>

// Full paths of the superseded database files present in `programDir`
// (ending with a backslash): full databases below the newest, then the
// incremental files up to and including its number.
std::vector<std::string> ExistingSupersededDatabases(const std::string& programDir);

// Deletes them now; failures are ignored.
void RemoveOldDatabases(const std::string& programDir);

// Registers their deletion at the next restart (delayed delete, under the
// short form of the program folder); failures are ignored.
void ScheduleOldDatabaseRemovalNt(const std::string& programDir);
