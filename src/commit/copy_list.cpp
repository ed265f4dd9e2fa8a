#include "commit/copy_list.h"

#include <set>

#include "catalog/ini_text.h"
#include "paths/path_ops.h"

namespace {

// Values are paths: a 260-byte buffer holds any of them.
constexpr size_t kPathBuffer = kMaxPathLength + 1;

}  // namespace

std::string CopySectionFor(const IniFile& copyList, const std::string& destination) {
  const std::string fileName = destination.substr(FolderOfPath(destination).size());
  const std::string wanted = ini_text::FoldCase(destination);
  for (unsigned n = 1;; ++n) {
    std::string section = n == 1 ? fileName : fileName + "|" + std::to_string(n);
    std::string listed = copyList.ReadString(section, "dst", "", kPathBuffer);
    if (listed.empty() && copyList.ReadString(section, "src", "", kPathBuffer).empty()) return section;
    if (ini_text::FoldCase(listed) == wanted) return section;
  }
}

std::vector<FilePair> ListedCopies(const IniFile& copyList) {
  std::vector<FilePair> copies;
  std::set<std::string> seen;
  for (const std::string& section : copyList.AllSectionNames()) {
    // A name given twice is one section to the profile functions.
    if (!seen.insert(ini_text::FoldCase(section)).second) continue;
    FilePair pair{copyList.ReadString(section, "src", "", kPathBuffer),
                  copyList.ReadString(section, "dst", "", kPathBuffer)};
    if (!pair.source.empty() && !pair.destination.empty()) copies.push_back(pair);
  }
  return copies;
}
