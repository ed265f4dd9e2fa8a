#pragma once
#include <string>

// Whether a virus-database file of the program folder has its other half
// (.UPD for .DAT and the reverse; any other name is its own twin): 1 when the
// twin exists there, else -1 when the file itself exists there, else 0.
int DatabaseTwinState(const std::string& programDir, const std::string& fileName);
