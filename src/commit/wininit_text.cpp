#include "commit/wininit_text.h"

#include <cstddef>

const char kRenameHeader[] = "[rename]";

namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// One line of the text: where its content starts and ends, and where the
// next line starts (after CR LF, LF or the end of the text).
struct Line {
  size_t begin;
  size_t end;
  size_t next;
};

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t lf = text.find('\n', begin);
    size_t next = lf == std::string::npos ? text.size() : lf + 1;
    size_t end = lf == std::string::npos ? text.size() : lf;
    if (end > begin && text[end - 1] == '\r') --end;
    lines.push_back({begin, end, next});
    begin = next;
  }
  return lines;
}

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string Content(const std::string& text, const Line& line) {
  return text.substr(line.begin, line.end - line.begin);
}

// Index of the first [rename] header line, or lines.size() when none.
size_t FindHeader(const std::string& text, const std::vector<Line>& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (EqualsIgnoringCase(Trimmed(Content(text, lines[i])), kRenameHeader)) return i;
  }
  return lines.size();
}

bool StartsSection(const std::string& content) {
  std::string trimmed = Trimmed(content);
  return !trimmed.empty() && trimmed[0] == '[';
}

// The block's non-empty lines without their line ends.
std::vector<std::string> BlockLines(const std::string& block) {
  std::vector<std::string> result;
  for (const Line& line : SplitLines(block)) {
    if (line.end > line.begin) result.push_back(Content(block, line));
  }
  return result;
}

bool ContainsRun(const std::vector<std::string>& lines, const std::vector<std::string>& run) {
  if (run.size() > lines.size()) return false;
  for (size_t start = 0; start + run.size() <= lines.size(); ++start) {
    size_t k = 0;
    while (k < run.size() && EqualsIgnoringCase(lines[start + k], run[k])) ++k;
    if (k == run.size()) return true;
  }
  return false;
}

}  // namespace

std::string FoldCase(const std::string& text) {
  std::string folded = text;
  for (size_t i = 0; i < folded.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(folded[i]);
    if (IsLeadByte(c) && i + 1 < folded.size()) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return folded;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

std::vector<std::string> RenameSectionLines(const std::string& iniText) {
  std::vector<std::string> result;
  const std::vector<Line> lines = SplitLines(iniText);
  for (size_t i = FindHeader(iniText, lines) + 1; i < lines.size(); ++i) {
    std::string content = Content(iniText, lines[i]);
    if (StartsSection(content)) break;
    result.push_back(content);
  }
  return result;
}

RenameMerge MergeRenameBlock(const std::string& iniText, const std::string& block) {
  RenameMerge merge;
  merge.text = iniText;
  const std::vector<std::string> entries = BlockLines(block);
  if (entries.empty() || ContainsRun(RenameSectionLines(iniText), entries)) return merge;

  std::string added;
  for (const std::string& entry : entries) added += entry + "\r\n";

  const std::vector<Line> lines = SplitLines(iniText);
  const size_t header = FindHeader(iniText, lines);
  if (header == lines.size()) {
    merge.text += std::string("\r\n") + kRenameHeader + "\r\n" + added;
  } else {
    const Line& line = lines[header];
    // A header on the last line without a line end gets one first; after a
    // lone CR only the LF is missing. Anything less would join the first
    // entry to the header line, and the start-up program would see neither.
    if (iniText[line.next - 1] != '\n') added = (line.end < line.next ? "\n" : "\r\n") + added;
    merge.text.insert(line.next, added);
  }
  merge.changed = true;
  return merge;
}

RenameMerge RetargetRenameLine(const std::string& iniText, const std::string& destination,
                               const std::string& oldSource, const std::string& newSource) {
  RenameMerge merge;
  merge.text = iniText;
  const std::vector<Line> lines = SplitLines(iniText);
  for (size_t i = FindHeader(iniText, lines) + 1; i < lines.size(); ++i) {
    const std::string content = Content(iniText, lines[i]);
    if (StartsSection(content)) break;
    if (!EqualsIgnoringCase(content, destination + "=" + oldSource)) continue;
    merge.text.replace(lines[i].begin, lines[i].end - lines[i].begin, destination + "=" + newSource);
    merge.changed = true;
    break;
  }
  return merge;
}
