#include "source_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "file_io.h"
#include "package/archive_names.h"
#include "source_times.h"

namespace fs = std::filesystem;

std::vector<SourceFile> ListSourceFiles(const std::string& filesDir) {
  std::vector<SourceFile> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(fs::path(filesDir), ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    SourceFile file;
    file.path = it->path().string();
    for (const fs::path& level : it->path().lexically_relative(fs::path(filesDir))) file.parts.push_back(level.string());
    files.push_back(std::move(file));
  }
  std::sort(files.begin(), files.end(), [](const SourceFile& a, const SourceFile& b) { return a.parts < b.parts; });
  return files;
}

bool IsBelow(const std::vector<std::string>& parts, const std::vector<std::string>& folder) {
  return parts.size() > folder.size() && std::equal(folder.begin(), folder.end(), parts.begin());
}

bool MakeArchiveMember(const SourceFile& file, size_t folderDepth, ArchiveMember& member, std::string& reason) {
  member = ArchiveMember();
  member.name = file.parts.back();
  for (size_t i = folderDepth; i + 1 < file.parts.size(); ++i)
    member.folder += (member.folder.empty() ? "" : "\\") + file.parts[i];
  // The record as the runner will read it back.
  ArchiveEntry entry;
  entry.name = member.name;
  entry.folder = member.folder;
  entry.nameTerminated = member.name.size() < kRecordNameSize;
  entry.folderTerminated = member.folder.size() < kRecordFolderSize;
  EntryPlacement placement;
  if (!entry.nameTerminated || !entry.folderTerminated) {
    reason = "the archive holds names of at most 23 bytes and folders of at most 35 bytes";
    return false;
  }
  if (!PlaceArchiveEntry(entry, placement)) {
    reason = "the runner refuses this name or folder in an archive";
    return false;
  }
  if (!ReadWholeFile(file.path, member.data, reason)) return false;
  if (!ReadSourceTimes(file.path, member.times)) {
    reason = "cannot read the file's times";
    return false;
  }
  return true;
}
