#include "platform/short_path_win.h"

#include <windows.h>

bool ShortPathOf(const std::string& path, std::string& shortPath) {
  char buffer[MAX_PATH] = {};
  DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  shortPath.assign(buffer, length);
  return true;
}
