#include <filesystem>
#include <fstream>
#include <system_error>

#include "archive_fault_text.h"
#include "extract_files.h"
#include "verbs.h"

int RunExtract(const VerbArgs& args, std::ostream&, std::ostream& err) {
  const std::string& archivePath = args[0];
  const std::string& destination = args[1];
  std::ifstream in(std::filesystem::path(archivePath), std::ios::binary);
  if (!in) {
    err << "pkgtool: cannot open " << archivePath << "\n";
    return kExitFailed;
  }
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(destination), ec);
  if (!std::filesystem::is_directory(std::filesystem::path(destination), ec)) {
    err << "pkgtool: cannot use " << destination << " as the destination folder\n";
    return kExitFailed;
  }
  StreamArchiveSource source(in);
  DirectoryTarget target(destination);
  ExtractOutcome outcome = ExtractArchive(source, target);
  if (!outcome.ok()) {
    err << "pkgtool: " << archivePath;
    if (outcome.entry >= 0) err << ", entry " << outcome.entry;
    err << ": " << DescribeArchiveFault(outcome.fault);
    if (outcome.fault == ArchiveFault::kCreateFailed || outcome.fault == ArchiveFault::kWriteFailed)
      err << " " << target.current();
    err << "\n";
    return kExitFailed;
  }
  return kExitOk;
}
