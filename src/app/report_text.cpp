#include "app/report_text.h"

std::string BuildReport(const std::string& runText, bool showVersionList, VersionLineSource& versions,
                        const std::string& restartRequest) {
  std::string report = runText;
  if (showVersionList) {
    report += "\r\n";
    if (versions.BeginVersionReport()) {
      for (;;) {
        std::string line;
        if (!versions.NextVersionReportLine(line)) break;
        if (line.find("\r\n") == std::string::npos) line += "\r\n";
        report += line;
        if (line.compare(0, 2, "\r\n") == 0) break;
      }
    }
  }
  return report + restartRequest;
}
