#pragma once
// A run without a person at the screen (/S): no window and no message box;
// the report goes to a file and the outcome to the exit code.
#include <string>

class UpdateCatalog;
struct UpdateRun;

// Name of the report file when /REPORT names none.
constexpr char kDefaultReportName[] = "UpdReport.txt";

// Where the report goes: the /REPORT path; else kDefaultReportName beside the
// log once an installation is chosen, before that in the temporary folder; in
// a dry run, beside the package.
std::string UnattendedReportPath(UpdateRun& run);

// Prepares and runs the update, writes the report (the text the report
// dialog would show; for a run that ended early, the lines logged until
// then) and returns the exit code of exit_code.h.
int RunUnattended(UpdateRun& run, UpdateCatalog& catalog);
