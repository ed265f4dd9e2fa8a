// Arbitrary text as a package catalogue, walked with the real item step and
// a fake machine. Checked for every item kept: the required keys were
// present, both ends of the copy fit the path limit, the package copy lies
// under the package folder and no name or folder climbs out, its section was
// decided on exactly once; the file types are at most 30 distinct bits; and
// a second walk over the same text keeps the same items.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "../tests/native/catalogue_test_support.h"

using namespace catalogue_test;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

struct Walked {
  int result = 0;
  std::vector<std::string> sections, sources, destinations;
  uint32_t mask = 0;
  std::string callBy;
};

Walked WalkOnce(std::string_view text) {
  FakeMachine machine;
  // One installed component on, one off, for the ComponentValue keys.
  machine.registry.keys["SOFTWARE\\Norvance\\AntiVirus\\V4.0\\Install"] = {{"Engine", 1}, {"Program", 0}};
  UpdateCatalog catalog;
  catalog.UseText(text);
  Walked walked;
  walked.result = machine.Walk(catalog);
  Check(walked.result == 0 || walked.result == 1);
  walked.mask = catalog.TypeMask();
  Check(catalog.FileTypes.size() <= kMaxFileTypes);
  uint32_t seen = 0;
  for (const FileTypeEntry& type : catalog.FileTypes) {
    Check(type.TypeId != 0 && (type.TypeId & (type.TypeId - 1)) == 0 && !(seen & type.TypeId));
    seen |= type.TypeId;
  }
  std::map<std::string, int> decidedCount;
  for (const std::string& section : machine.decided) ++decidedCount[section];
  for (const UpdateItem& item : catalog.Items) {
    Check(!item.FileName.empty() && item.FileSize != 0 && !item.Version.empty() && !item.CRC.empty());
    Check(item.FileName.size() <= 259 && item.Version.size() <= 19);
    Check(FitsPathLimit(item.SourcePath) && FitsPathLimit(item.LocalPath + item.FileName));
    Check(item.SourcePath.rfind("C:\\pkg\\", 0) == 0);
    // Nothing climbs out of the package or the installation's folders: a
    // FileName may hold sub-folders but names no drive or root, and no level
    // of either path is a climb (dots and blanks with two dots or more; a
    // lone "." stays where it is).
    Check(item.FileName.find(':') == std::string::npos && item.FileName[0] != '\\' && item.FileName[0] != '/');
    for (const std::string& path : {item.SourcePath, item.LocalPath + item.FileName}) {
      std::string levels = path;
      std::replace(levels.begin(), levels.end(), '/', '\\');
      for (const std::string& level : SplitAtBackslashes(levels))
        Check(level.find_first_not_of(". ") != std::string::npos || std::count(level.begin(), level.end(), '.') < 2);
    }
    Check(!item.LocalPath.empty() && item.LocalPath.back() == '\\');
    Check(decidedCount[item.SectionName] == 1);
    Check(item.Needed == 1);
    walked.sections.push_back(item.SectionName);
    walked.sources.push_back(item.SourcePath);
    walked.destinations.push_back(item.LocalPath + item.FileName);
  }
  walked.callBy = catalog.CallByList;
  return walked;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Walked first = WalkOnce(text);
  const Walked second = WalkOnce(text);
  Check(first.result == second.result && first.sections == second.sections && first.sources == second.sources &&
        first.destinations == second.destinations && first.mask == second.mask && first.callBy == second.callBy);
  return 0;
}
