#include "versions/database_names.h"

#include <algorithm>
#include <cstdio>

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

bool IsDatabaseName(std::string_view name, std::string_view extension) {
  return DatabaseNumberFromName(name) >= 0 && SameLetters(name.substr(0, 3), "ZMT") &&
         SameLetters(name.substr(8), extension);
}

}  // namespace

int IsDatabaseFileName(std::string_view name) { return IsDatabaseName(name, ".DAT") ? 1 : 0; }

int IsDatabaseUpdateName(std::string_view name) { return IsDatabaseName(name, ".UPD") ? 1 : 0; }

int DatabaseNumberFromName(std::string_view name) {
  if (name.size() != 12) return -1;
  int number = 0;
  for (size_t i = 3; i < 8; ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    number = number * 10 + (name[i] - '0');
  }
  return number;
}

std::string DatabaseName(int number, std::string_view extension) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%05d", number);
  return "ZMT" + std::string(digits) + std::string(extension);
}

std::string DatabaseTwinName(std::string_view name) {
  std::string twin(name);
  if (IsDatabaseUpdateName(name))
    twin.replace(9, 3, "DAT");
  else if (IsDatabaseFileName(name))
    twin.replace(9, 3, "UPD");
  return twin;
}

int LatestDatabaseNumber(const std::vector<std::string>& names) {
  int latest = 0;
  for (const std::string& name : names)
    if (IsDatabaseFileName(name)) latest = std::max(latest, DatabaseNumberFromName(name));
  return latest;
}
