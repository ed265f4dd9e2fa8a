#include "save_dialog_win.h"

#include <dlgs.h>

#include "automation_win.h"

namespace automation {
namespace {

// The file name field: an edit control (edt1), or the edit inside the file
// name combo box (cmb13, a ComboBoxEx32 holding a ComboBox holding the edit).
HWND FileNameField(HWND dialog) {
  if (HWND edit = GetDlgItem(dialog, edt1)) return edit;
  HWND combo = GetDlgItem(dialog, cmb13);
  if (combo == nullptr) return nullptr;
  return FindChild(combo, [](HWND child) { return lstrcmpiA(ClassOf(child).c_str(), "Edit") == 0; });
}

}  // namespace

bool IsSaveDialog(HWND window) {
  return ClassOf(window) == "#32770" && !IsMessageBox(window) && FileNameField(window) != nullptr;
}

bool ReadSaveFileName(HWND dialog, std::string& name) {
  HWND field = FileNameField(dialog);
  return field != nullptr && ReadWindowText(field, name);
}

bool SaveAs(HWND dialog, const std::string& path) {
  HWND field = FileNameField(dialog);
  DWORD_PTR answer = 0;
  return field != nullptr && SendWithTimeout(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), answer) &&
         PressButton(dialog, IDOK);
}

}  // namespace automation
