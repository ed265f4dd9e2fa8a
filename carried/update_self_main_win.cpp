// UpdateSelf.DAT: completes a self-update hand-off of the update runner.
//
// The runner cannot replace its own files while it runs, so when a package
// asks for them to be updated first it leaves Update.inf (format in
// src/commit/self_update_entries.h) and this program in the package's source
// folder and ends. The product's update program, Update.EXE, which started
// the runner, then starts this program (CreateProcess with the path of
// UpdateSelf.DAT as the application name; the extension does not matter to
// Windows), without arguments and with any working folder.
//
// The program reads Update.inf beside itself, waits until no destination is
// held open any more (the runner may take a moment to end; at most 30 s in
// all), copies every SrcFile%d onto its DesFile%d (the pairs are numbered
// from 0 without gaps; the first missing one ends the list), and then starts
// FullPathName with Parameter in FullPathName's folder, also after a failed
// copy, so that the update program can tell the user.
// Exit code: the number of failed copies (at most 254), or 255 when
// FullPathName could not be started.
//
// Written without the C++ library to stay small.
#include <windows.h>

#include "beside_self_win.h"
#include "commit/self_update_entries.h"

namespace {

constexpr DWORD kLockWaitMs = 30000;
constexpr DWORD kLockPollMs = 200;

char handOff[MAX_PATH];

void HandOffText(const char* key, char (&value)[MAX_PATH]) {
  GetPrivateProfileStringA(kSelfUpdateSection, key, "", value, MAX_PATH, handOff);
}

void NumberedKey(const char* prefix, int n, char (&key)[32]) { wsprintfA(key, "%s%d", prefix, n); }

// True while another process holds the file open in a way that forbids writing.
bool IsHeld(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

void WaitUntilFree(const char* path, DWORD deadline) {
  while (IsHeld(path) && LONG(deadline - GetTickCount()) > 0) Sleep(kLockPollMs);
}

bool Start(const char* program, const char* parameter) {
  char commandLine[2 * MAX_PATH + 4];
  wsprintfA(commandLine, "\"%s\" %s", program, parameter);
  char folder[MAX_PATH];
  lstrcpyA(folder, program);
  char* folderEnd = folder;
  for (char* at = folder; *at; at = CharNextA(at)) {
    if (*at == '\\') folderEnd = at + 1;
  }
  *folderEnd = '\0';
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, *folder ? folder : nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (!PathBesideSelf("Update.inf", handOff)) return 255;

  const DWORD deadline = GetTickCount() + kLockWaitMs;
  int failed = 0;
  for (int n = 0;; ++n) {
    char key[32], source[MAX_PATH], destination[MAX_PATH];
    NumberedKey(kSelfUpdateSourceKey, n, key);
    HandOffText(key, source);
    NumberedKey(kSelfUpdateDestinationKey, n, key);
    HandOffText(key, destination);
    if (!*source || !*destination) break;
    WaitUntilFree(destination, deadline);
    SetFileAttributesA(destination, FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileA(source, destination, FALSE) && failed < 254) ++failed;
  }

  char program[MAX_PATH], parameter[MAX_PATH];
  HandOffText(kSelfUpdateProgramKey, program);
  HandOffText(kSelfUpdateParameterKey, parameter);
  if (!*program) return failed;
  return Start(program, parameter) ? failed : 255;
}
