#pragma once
// Version texts of the version report.
#include <string>

// The installed virus-database version as text; "0" when none is found.
std::string DatabaseVersionText(const std::string& programDir);

// The product version of the file's version resource as text; "0.1" when the
// file has no version resource.
std::string FileVersionText(const std::string& path);

// The header version of the file as text, and 1; 0 with `text` unchanged when
// the file is too short or cannot be read.
int HeaderVersionText(const std::string& path, std::string& text);
