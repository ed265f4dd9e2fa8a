#include "commit/leftover_copies.h"

#include "commit/wininit_text.h"

namespace {

bool OccursIn(const std::vector<std::string>& foldedTexts, const std::string& path) {
  const std::string folded = FoldCase(path);
  for (const std::string& text : foldedTexts)
    if (text.find(folded) != std::string::npos) return true;
  return false;
}

}  // namespace

bool IsLeftoverCopy(FileSystem& files, const std::vector<std::string>& pendingTexts, const std::string& path) {
  std::vector<std::string> folded;
  for (const std::string& text : pendingTexts) folded.push_back(FoldCase(text));
  std::string shortPath;
  // Without its short form the copy might be named by it: kept.
  if (!files.ShortPath(path, shortPath)) return false;
  return !OccursIn(folded, path) && !OccursIn(folded, shortPath);
}
