#pragma once
// The report of a run as a file.
#include <string>

// Writes the report as it stands: ANSI text with CR LF line ends, no
// byte-order mark, no terminating NUL, replacing any file there. False when
// the file could not be created, written or closed; a file begun is then
// deleted rather than left cut short.
bool WriteReportFile(const std::string& path, const std::string& report);
