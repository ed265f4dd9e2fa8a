// The automation tests' other process.
//   autofixture msgbox CAPTION TEXT ok|okcancel|yesno|yesnocancel
//       shows a message box; the exit code is the button pressed.
//   autofixture dialog CAPTION TEXT
//       shows a dialog: TEXT in an edit control, a press counter, Count, Ask
//       (a yes/no message box captioned "Question" whose answer replaces the
//       counter text), a disabled button and OK; the exit code is the count.
//   autofixture list CAPTION ROW...
//       shows a dialog with a list view of the ROWs, row i with image i;
//       clicks and keys in the list are reported in a text line ("click 2",
//       "key 32"); the exit code is 1 + the selected row (0: none).
//   autofixture browse TITLE
//       shows the shell's folder browser; exits with 1 when a folder was
//       chosen, 0 when cancelled.
//   autofixture exists NAME
//       exits with 1 when NAME exists (relative to the working folder), else 0.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "autofixture_ids.h"

namespace {

struct DialogTexts {
  const char* caption;
  const char* text;
};

INT_PTR CALLBACK FixtureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static int count = 0;
  if (message == WM_INITDIALOG) {
    auto* texts = reinterpret_cast<const DialogTexts*>(lParam);
    SetWindowTextA(dialog, texts->caption);
    SetDlgItemTextA(dialog, IDC_MESSAGE, texts->text);
    return TRUE;
  }
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_COUNT:
      SetDlgItemTextA(dialog, IDC_COUNT_TEXT, std::to_string(++count).c_str());
      return TRUE;
    case IDC_ASK:
      SetDlgItemTextA(dialog, IDC_COUNT_TEXT,
                      MessageBoxA(dialog, "Proceed?", "Question", MB_YESNO) == IDYES ? "yes" : "no");
      return TRUE;
    case IDC_LOCKED:
      SetDlgItemTextA(dialog, IDC_COUNT_TEXT, "locked button pressed");
      return TRUE;
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, count);
      return TRUE;
  }
  return FALSE;
}

struct ListTexts {
  const char* caption;
  char** rows;
  int rowCount;
};

int SelectedRow(HWND dialog) {
  return int(SendDlgItemMessageA(dialog, IDC_LIST, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

INT_PTR CALLBACK ListDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* texts = reinterpret_cast<const ListTexts*>(lParam);
    SetWindowTextA(dialog, texts->caption);
    for (int i = 0; i < texts->rowCount; ++i) {
      LVITEMA item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = i;
      item.iImage = i;
      item.pszText = texts->rows[i];
      SendDlgItemMessageA(dialog, IDC_LIST, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<const NMHDR*>(lParam);
    std::string report;
    if (header->code == NM_CLICK) report = "click " + std::to_string(SelectedRow(dialog));
    if (header->code == LVN_KEYDOWN)
      report = "key " + std::to_string(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
    if (!report.empty()) SetDlgItemTextA(dialog, IDC_COUNT_TEXT, report.c_str());
    return FALSE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, SelectedRow(dialog) + 1);
    return TRUE;
  }
  return FALSE;
}

int Browse(const char* title) {
  BROWSEINFOA info{};
  char name[MAX_PATH];
  info.pszDisplayName = name;
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  if (chosen == nullptr) return 0;
  CoTaskMemFree(chosen);
  return 1;
}

UINT MessageBoxStyle(const char* buttons) {
  if (std::strcmp(buttons, "okcancel") == 0) return MB_OKCANCEL;
  if (std::strcmp(buttons, "yesno") == 0) return MB_YESNO;
  if (std::strcmp(buttons, "yesnocancel") == 0) return MB_YESNOCANCEL;
  return MB_OK;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "msgbox") == 0) {
    return MessageBoxA(nullptr, argv[3], argv[2], MessageBoxStyle(argv[4]) | MB_ICONINFORMATION);
  }
  if (argc == 4 && std::strcmp(argv[1], "dialog") == 0) {
    DialogTexts texts{argv[2], argv[3]};
    return static_cast<int>(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FIXTURE), nullptr,
                                            FixtureDialog, reinterpret_cast<LPARAM>(&texts)));
  }
  if (argc >= 3 && std::strcmp(argv[1], "list") == 0) {
    InitCommonControls();
    ListTexts texts{argv[2], argv + 3, argc - 3};
    return static_cast<int>(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LIST_FIXTURE), nullptr,
                                            ListDialog, reinterpret_cast<LPARAM>(&texts)));
  }
  if (argc == 3 && std::strcmp(argv[1], "browse") == 0) return Browse(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "exists") == 0) {
    return GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
  }
  std::fputs("usage: autofixture msgbox CAPTION TEXT ok|okcancel|yesno|yesnocancel\n"
             "       autofixture dialog CAPTION TEXT\n"
             "       autofixture list CAPTION ROW...\n"
             "       autofixture browse TITLE\n"
             "       autofixture exists NAME\n", stderr);
  return 255;
}
