#include "harvest_rules.h"

#include <set>
#include <string_view>

#include "catalog/ini_file.h"
#include "catalog/ini_text.h"
#include "file_io.h"

namespace {

constexpr size_t kValueRoom = 4096;
const char kDefaultComment[] = "[COMMENT]\r\nPacketType=General_DB\r\nPathName=ZMTUPD\r\n";

// The lines of the named sections, in file order, with CR LF line ends.
std::string SectionsText(std::string_view text, const std::set<std::string>& foldedNames, bool& hasComment) {
  std::string kept;
  bool keeping = false;
  hasComment = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = ini_text::TrimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const std::string name = ini_text::FoldCase(ini_text::TrimBlanks(trimmed.substr(1, trimmed.find(']') - 1)));
      keeping = foldedNames.count(name) != 0;
      hasComment = hasComment || name == "comment";
    }
    if (keeping) kept += std::string(line) + "\r\n";
  }
  return kept;
}

}  // namespace

HarvestRules DefaultHarvestRules() { return HarvestRules{kDefaultComment, {}}; }

bool LoadHarvestRules(const std::string& path, HarvestRules& rules, std::string& error) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes, error)) return false;
  const std::string text(bytes.begin(), bytes.end());
  rules = HarvestRules();
  bool hasComment = false;
  rules.packageSections = SectionsText(text, {"comment", "filetype", "exittype", "install"}, hasComment);
  if (!hasComment) rules.packageSections = kDefaultComment + rules.packageSections;
  const IniFile ini(text);
  for (int n = 0;; ++n) {
    const std::string suffix = std::to_string(n);
    FileRule rule;
    rule.pattern = ini.ReadString("Harvest", "Pattern" + suffix, "", kValueRoom);
    if (rule.pattern.empty()) break;
    rule.FileType = ini.ReadString("Harvest", "FileType" + suffix, "", kValueRoom);
    rule.CallBy = ini.ReadString("Harvest", "CallBy" + suffix, "", kValueRoom);
    rule.Reboot = ini.ReadString("Harvest", "Reboot" + suffix, "", kValueRoom);
    rules.rules.push_back(std::move(rule));
  }
  return true;
}

bool MatchesPattern(const std::string& pattern, const std::string& text) {
  const std::string p = ini_text::FoldCase(pattern), t = ini_text::FoldCase(text);
  size_t pi = 0, ti = 0, star = std::string::npos, resume = 0;
  while (ti < t.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == t[ti])) {
      ++pi;
      ++ti;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      resume = ti;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ti = ++resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

FileKind KindOf(const HarvestRules& rules, const std::string& path, bool isDatabase) {
  FileKind kind;
  const std::string name = path.substr(path.rfind('\\') + 1);
  for (const FileRule& rule : rules.rules) {
    if (!MatchesPattern(rule.pattern, rule.pattern.find('\\') != std::string::npos ? path : name)) continue;
    kind = FileKind{rule.FileType, rule.CallBy, rule.Reboot};
    break;
  }
  if (kind.FileType.empty()) kind.FileType = isDatabase ? "SIGN" : "Program";
  if (kind.Reboot.empty()) kind.Reboot = "FALSE";
  return kind;
}
