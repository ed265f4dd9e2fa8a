#include "commit/self_update_entries.h"

std::vector<std::pair<std::string, std::string>> SelfUpdateEntries(const std::vector<FilePair>& files,
                                                                   const std::string& programDir) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (size_t n = 0; n < files.size(); ++n) {
    entries.emplace_back(kSelfUpdateSourceKey + std::to_string(n), files[n].source);
    entries.emplace_back(kSelfUpdateDestinationKey + std::to_string(n), files[n].destination);
  }
  entries.emplace_back(kSelfUpdateParameterKey, "/CONTINUE ");
  entries.emplace_back(kSelfUpdateProgramKey, programDir + "Update.EXE");
  return entries;
}
