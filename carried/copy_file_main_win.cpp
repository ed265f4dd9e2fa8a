// CopyFile.EXE: completes file replacements that had to wait for a restart
// on Windows Me. The runner lists them in CopyFile.ini (format in
// src/commit/copy_list.h), writes this program beside that list and adds it
// to the Run value of Win.ini; Windows starts it, without arguments, at its
// next start.
//
// For each section of CopyFile.ini that holds both `src` and `dst`, the
// destination's attributes are made normal and `src` is put in place of
// `dst` as the runner does it on this family: copied beside the destination
// (dst + a free number), flushed and checked for the staged file's size,
// then the destination is renamed aside (dst + ".old"), the copy renamed into
// place and the aside file deleted, or renamed back when the copy could not
// take its place. So a failure or a power cut at any moment leaves the old or
// the new file, never a part of one. Then the staged file and the section
// are deleted. A replacement that fails
// (the destination is locked again, say) keeps its staged file and section,
// and the program stays in Win.ini's Run value to try again at the following
// start. Once nothing is left, CopyFile.ini is deleted and the program takes
// only its own entry out of the Run value, so the user's programs stay.
// The program file itself stays in the temporary folder: a running program
// cannot delete itself, and the runner overwrites it when it arms it again.
// Exit code: the number of replacements left.
//
// Written without the C++ library to stay small.
#include <windows.h>

#include "beside_self_win.h"
#include "commit/run_entries.h"

namespace {

// Size of the file, or -1 when it cannot be opened. With `flush` the file is
// opened for writing and its bytes are put on the disk first.
LONGLONG SizeOf(const char* path, bool flush) {
  HANDLE file = CreateFileA(path, flush ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  DWORD high = 0;
  const DWORD low = GetFileSize(file, &high);
  const bool known = (low != INVALID_FILE_SIZE || GetLastError() == NO_ERROR) && (!flush || FlushFileBuffers(file));
  CloseHandle(file);
  return known ? (LONGLONG(high) << 32) | low : -1;
}

// A whole, flushed copy of `source` at destination + the first free number
// from 0 to 9, named in `side`.
bool CopyBeside(const char* source, const char* destination, char (&side)[MAX_PATH]) {
  const int length = lstrlenA(destination);
  if (length + 2 > MAX_PATH) return false;
  lstrcpyA(side, destination);
  side[length + 1] = '\0';
  for (char number = '0'; number <= '9'; ++number) {
    side[length] = number;
    if (GetFileAttributesA(side) != INVALID_FILE_ATTRIBUTES) continue;
    if (!CopyFileA(source, side, TRUE)) return false;
    SetFileAttributesA(side, FILE_ATTRIBUTE_NORMAL);
    const LONGLONG size = SizeOf(source, false);
    if (size >= 0 && SizeOf(side, true) == size) return true;
    DeleteFileA(side);
    return false;
  }
  return false;
}

bool Replace(const char* source, const char* destination) {
  char side[MAX_PATH], aside[MAX_PATH];
  if (lstrlenA(destination) + 5 > MAX_PATH) return false;
  lstrcpyA(aside, destination);
  lstrcatA(aside, ".old");
  // A replacement cut off between its renames left the old file aside.
  if (GetFileAttributesA(destination) == INVALID_FILE_ATTRIBUTES) MoveFileA(aside, destination);
  SetFileAttributesA(destination, FILE_ATTRIBUTE_NORMAL);
  if (!CopyBeside(source, destination, side)) return false;
  const bool present = GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES;
  if (present) {
    // Left over from a replacement that completed without removing it.
    SetFileAttributesA(aside, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(aside);
    if (!MoveFileA(destination, aside)) {
      DeleteFileA(side);
      return false;
    }
  }
  if (!MoveFileA(side, destination)) {
    if (present) MoveFileA(aside, destination);
    DeleteFileA(side);
    return false;
  }
  if (present) DeleteFileA(aside);
  SetFileAttributesA(source, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(source);
  return true;
}

// Takes this program, by its long or short path, out of Win.ini's Run value.
void LeaveRunValue() {
  char self[MAX_PATH] = {}, shortSelf[MAX_PATH] = {}, winIni[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  GetShortPathNameA(self, shortSelf, MAX_PATH);
  UINT length = GetWindowsDirectoryA(winIni, MAX_PATH - 9);
  if (length == 0 || length >= MAX_PATH - 9) return;
  lstrcatA(winIni, "\\Win.ini");

  char runValue[8 * 1024], runRest[sizeof runValue];
  DWORD read = GetPrivateProfileStringA("windows", "Run", "", runValue, sizeof runValue, winIni);
  if (read + 1 >= sizeof runValue) return;  // possibly cut: rewriting it would lose programs
  std::size_t rest = RemoveRunEntryInto(std::string_view(runValue, read), self, runRest);
  rest = RemoveRunEntryInto(std::string_view(runRest, rest), shortSelf, runRest);
  if (rest == read) return;  // not listed
  runRest[rest] = '\0';
  WritePrivateProfileStringA("windows", "Run", rest ? runRest : nullptr, winIni);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char list[MAX_PATH];
  if (!PathBesideSelf("CopyFile.ini", list)) return 1;

  char sectionNames[64 * 1024];
  DWORD length = GetPrivateProfileSectionNamesA(sectionNames, sizeof sectionNames, list);
  // A full buffer may have cut names off: their sections stay for the next start.
  int left = length + 2 >= sizeof sectionNames ? 1 : 0;
  for (const char* section = sectionNames; *section; section += lstrlenA(section) + 1) {
    char source[MAX_PATH] = {}, destination[MAX_PATH] = {};
    GetPrivateProfileStringA(section, "src", "", source, MAX_PATH, list);
    GetPrivateProfileStringA(section, "dst", "", destination, MAX_PATH, list);
    if (!*source || !*destination) continue;
    if (Replace(source, destination)) {
      WritePrivateProfileStringA(section, nullptr, nullptr, list);
    } else {
      ++left;
    }
  }
  if (left == 0) {
    DeleteFileA(list);
    LeaveRunValue();
  }
  return left;
}
