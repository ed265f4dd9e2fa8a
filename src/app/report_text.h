#pragma once
// The report shown once the update has run: the log text of the run,
// optionally followed by the list of installed versions and by the request to
// restart the computer.
#include <string>

// Hands out the lines of the version list (the update-info file in a run).
class VersionLineSource {
 public:
  virtual ~VersionLineSource() = default;
  // 1 when a list follows, 0 when there is none.
  virtual int BeginVersionReport() = 0;
  // 1 with the next line, 0 at the end of the list.
  virtual int NextVersionReportLine(std::string& line) = 0;
};

// `runText`; then, with `showVersionList`, CR LF and the lines of the list,
// each ended by CR LF (one that holds a CR LF already is taken as it is, and
// one that starts with CR LF, as an empty line does, is the last); then
// `restartRequest`, empty when no restart is needed.
std::string BuildReport(const std::string& runText, bool showVersionList, VersionLineSource& versions,
                        const std::string& restartRequest);
