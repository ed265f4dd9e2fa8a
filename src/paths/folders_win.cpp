#include "paths/folders_win.h"

#include <windows.h>

#include "app/update_run.h"
#include "paths/path_ops.h"

namespace {

// Runs a Win32 "get folder into buffer" call with a 260-byte buffer; false when
// it fails or the folder does not fit.
template <typename Get>
bool GetFolder(std::string& out, Get get) {
  char buffer[MAX_PATH + 1] = {};
  DWORD length = get(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  out.assign(buffer, length);
  EnsureTrailingBackslash(out);
  return FitsPathLimit(out);
}

}  // namespace

int InitFolders(UpdateRun& run) {
  bool ok = GetFolder(run.windowsDir, [](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); });
  ok = GetFolder(run.systemDir, [](char* b, DWORD n) { return GetSystemDirectoryA(b, n); }) && ok;
  ok = GetFolder(run.currentDir, [](char* b, DWORD n) { return GetCurrentDirectoryA(n, b); }) && ok;

  char exe[MAX_PATH + 2] = {};
  DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) {
    run.packageDir.clear();
    ok = false;
  } else {
    run.packageDir = FolderOfPath(std::string(exe, length));
  }

  if (!GetFolder(run.tempDir, [](char* b, DWORD n) { return GetTempPathA(n, b); })) {
    CreateFolderPath("C:\\Temp");
    run.tempDir = "C:\\Temp\\";
  }
  run.programDir = run.packageDir;
  return ok ? 1 : 0;
}

int CreateFolderPath(const std::string& path) {
  if (!FitsPathLimit(path)) return -1;
  // A folder that exists already needs nothing (its creation would fail, so
  // the result is the same): one attribute query instead of a creation
  // attempt per level, each a round trip to the file system. The commit and
  // the log call this for every file.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return -1;
  int result = -1;
  for (const std::string& level : FolderPathLevels(path))
    result = (!level.empty() && CreateDirectoryA(level.c_str(), nullptr)) ? 0 : -1;
  return result;
}

// Attributes rather than a directory search: a name with wildcard characters
// must not match some other file.
int FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
}
