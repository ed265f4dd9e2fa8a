#include "commit/superseded_databases.h"

#include <algorithm>
#include <utility>

#include "versions/database_names.h"

std::vector<std::string> SupersededDatabaseNames(const std::vector<std::string>& names, int latest) {
  std::vector<std::pair<int, std::string>> full, incremental;
  for (const std::string& name : names) {
    const int number = DatabaseNumberFromName(name);
    if (number < 0) continue;
    if (IsDatabaseFileName(name) && number < latest) full.emplace_back(number, name);
    if (IsDatabaseUpdateName(name) && number <= latest) incremental.emplace_back(number, name);
  }
  std::sort(full.begin(), full.end());
  std::sort(incremental.begin(), incremental.end());
  std::vector<std::string> result;
  for (auto& entry : full) result.push_back(std::move(entry.second));
  for (auto& entry : incremental) result.push_back(std::move(entry.second));
  return result;
}
