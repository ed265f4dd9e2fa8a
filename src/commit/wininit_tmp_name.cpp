#include "commit/wininit_tmp_name.h"

#include <vector>

#include "commit/wininit_text.h"

namespace {

const int kLastVariant = 99;

// The destination that a "destination=source" line of the section moves
// `source` onto; empty when no line does.
std::string MovedOnto(const std::vector<std::string>& section, const std::string& source) {
  for (const std::string& line : section) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (EqualsIgnoringCase(line.substr(equals + 1), source)) return line.substr(0, equals);
  }
  return std::string();
}

}  // namespace

std::string TmpCandidate(const std::string& shortDestination, int variant) {
  size_t nameStart = shortDestination.find_last_of("\\:");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  size_t dot = shortDestination.rfind('.');
  std::string base = dot == std::string::npos || dot < nameStart ? shortDestination + "."
                                                                 : shortDestination.substr(0, dot + 1);
  if (variant == 0) return base + "TMP";
  return base + "T" + static_cast<char>('0' + variant / 10) + static_cast<char>('0' + variant % 10);
}

std::string ChooseTmpPath(const std::string& iniText, const std::string& shortDestination,
                          const std::function<bool(const std::string&)>& exists) {
  const std::vector<std::string> section = RenameSectionLines(iniText);
  for (int variant = 0; variant <= kLastVariant; ++variant) {
    const std::string candidate = TmpCandidate(shortDestination, variant);
    if (!EqualsIgnoringCase(candidate, shortDestination) && MovedOnto(section, candidate).empty() &&
        !exists(candidate))
      return candidate;
  }
  return std::string();
}

std::string PendingTmpPath(const std::string& iniText, const std::string& shortDestination) {
  const std::vector<std::string> section = RenameSectionLines(iniText);
  for (int variant = 0; variant <= kLastVariant; ++variant) {
    const std::string candidate = TmpCandidate(shortDestination, variant);
    if (EqualsIgnoringCase(MovedOnto(section, candidate), shortDestination)) return candidate;
  }
  return std::string();
}
