#pragma once
#include <string>

// 1 when the date text (year.month.day) is later than the local calendar
// date of the file's last modification, or when that time cannot be read (a
// missing file); 0 when the text's date is the same or earlier.
int IsFileDateOlder(const std::string& path, const std::string& dateText);
