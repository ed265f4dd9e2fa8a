#include "commit/numbered_name_win.h"

#include <windows.h>

#include <climits>

#include "paths/folders_win.h"

bool FirstFreeNumberedPath(const std::string& base, std::string& path) {
  for (int n = 0;; ++n) {
    std::string candidate = base + std::to_string(n);
    if (candidate.size() >= MAX_PATH) return false;
    if (!FileExists(candidate)) {
      path = std::move(candidate);
      return true;
    }
    if (n == INT_MAX) return false;
  }
}
