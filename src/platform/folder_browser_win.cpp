#include "platform/folder_browser_win.h"

#include <shlobj.h>

namespace {

int CALLBACK ShowSelectionPath(HWND browser, UINT message, LPARAM item, LPARAM) {
  if (message == BFFM_SELCHANGED) {
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(item), path)) path[0] = '\0';
    SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
  }
  return 0;
}

}  // namespace

int BrowseForFolder(std::string& folder, const std::string& title, HWND owner) {
  folder.clear();
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = ShowSelectionPath;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  if (chosen == nullptr) return 0;
  char path[MAX_PATH] = {};
  BOOL hasPath = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  if (!hasPath) return 0;
  folder = path;
  return 1;
}
