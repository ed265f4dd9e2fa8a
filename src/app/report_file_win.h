#pragma once
// The report of a run as a file on the running Windows.
#include <string>

// SaveReportFile (app/report_file.h) on this system's disk and family.
bool WriteReportFile(const std::string& path, const std::string& report);
