// A trivial process with the runner's Windows libraries: it calls one
// function of each, so that each is loaded and set up as in the runner, then
// waits. Its peak working set is Wine's baseline for a program like the
// runner (process_peak measures it).
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

int main() {
  InitCommonControls();
  char path[MAX_PATH];
  SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, path);
  CoInitialize(nullptr);
  GetSysColor(COLOR_WINDOW);
  DWORD handle = 0;
  GetFileVersionInfoSizeA(path, &handle);
  // Never true; only links the dialog library as the runner does.
  if (handle == 0xFFFFFFFFu) GetOpenFileNameA(nullptr);
  CoUninitialize();
  Sleep(300);
  return 0;
}
