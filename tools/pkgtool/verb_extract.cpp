#include <filesystem>
#include <fstream>
#include <system_error>

#include "extract_files.h"
#include "verbs.h"

namespace {

const char* DescribeFault(ArchiveFault fault) {
  switch (fault) {
    case ArchiveFault::kNone: return "no fault";
    case ArchiveFault::kUnreadable: return "the archive is truncated or unreadable";
    case ArchiveFault::kBadHeader: return "not an archive of format 1 with at least one entry";
    case ArchiveFault::kBadData: return "the entry's size or data offset is damaged";
    case ArchiveFault::kUnsafeName: return "the entry's name or folder would leave the destination";
    case ArchiveFault::kCreateFailed: return "cannot create the output file";
    case ArchiveFault::kWriteFailed: return "cannot write the output file";
  }
  return "unknown fault";
}

}  // namespace

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
    err << ": " << DescribeFault(outcome.fault) << "\n";
    return kExitFailed;
  }
  return kExitOk;
}
