#include "beside_self_win.h"

bool PathBesideSelf(const char* name, char (&path)[MAX_PATH]) {
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  // The last backslash that is a character of its own, not a trail byte.
  char* folderEnd = path;
  for (char* at = path; *at; at = CharNextA(at)) {
    if (*at == '\\') folderEnd = at + 1;
  }
  if (size_t(folderEnd - path) + lstrlenA(name) >= MAX_PATH) return false;
  lstrcpyA(folderEnd, name);
  return true;
}
