// Merging a block of rename entries into an arbitrary Wininit.ini. The input
// is the file text, a NUL byte, then the block. Checked: the merge only
// inserts (every byte of the file stays, in order), the block then stands
// in the [rename] section the start-up program reads, and a second merge of
// the same block changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "commit/wininit_text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The block's entries as the merge writes them: non-empty lines, CR LF or LF
// ends removed.
std::vector<std::string> Entries(const std::string& block) {
  std::vector<std::string> entries;
  size_t begin = 0;
  while (begin < block.size()) {
    size_t lf = block.find('\n', begin);
    size_t end = lf == std::string::npos ? block.size() : lf;
    std::string line = block.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) entries.push_back(line);
    begin = lf == std::string::npos ? block.size() : lf + 1;
  }
  return entries;
}

bool StandsIn(const std::vector<std::string>& lines, const std::vector<std::string>& entries) {
  for (size_t start = 0; start + entries.size() <= lines.size(); ++start) {
    size_t k = 0;
    while (k < entries.size() && EqualsIgnoringCase(lines[start + k], entries[k])) ++k;
    if (k == entries.size()) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const std::string ini(input.substr(0, nul));
  const std::string block(nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1));
  const std::vector<std::string> entries = Entries(block);
  // Entries are "destination=source" lines; one that opens a section would
  // end the [rename] section it is written into.
  for (const std::string& entry : entries)
    if (entry.find_first_not_of(" \t") != std::string::npos && entry[entry.find_first_not_of(" \t")] == '[') return 0;

  const RenameMerge merge = MergeRenameBlock(ini, block);
  Check(merge.changed == (merge.text != ini));
  if (entries.empty()) Check(!merge.changed);

  // Only insertions: the file's bytes are a subsequence of the result, in
  // one piece before the insertion point and one after it.
  size_t prefix = 0;
  while (prefix < ini.size() && ini[prefix] == merge.text[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < ini.size() - prefix && ini[ini.size() - 1 - suffix] == merge.text[merge.text.size() - 1 - suffix])
    ++suffix;
  Check(prefix + suffix == ini.size());

  if (!entries.empty()) Check(StandsIn(RenameSectionLines(merge.text), entries));
  const RenameMerge again = MergeRenameBlock(merge.text, block);
  Check(!again.changed && again.text == merge.text);
  return 0;
}
