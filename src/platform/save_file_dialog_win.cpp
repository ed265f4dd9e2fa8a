#include "platform/save_file_dialog_win.h"

#include <commdlg.h>

bool AskSaveFileName(HWND owner, const std::string& filter, const char* defaultExtension,
                     const std::string& proposedName, std::string& path) {
  char file[MAX_PATH] = {};
  proposedName.copy(file, MAX_PATH - 1);
  OPENFILENAMEA request = {};
  // The size Windows 95 and NT 4 know; later systems accept it too.
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = owner;
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = file;
  request.nMaxFile = MAX_PATH;
  request.lpstrDefExt = defaultExtension;
  request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameA(&request)) return false;
  path = file;
  return true;
}
