#include "discovery/install_folder_dialog_win.h"

#include "app/edition_names.h"
#include "discovery/install_folder_entry.h"
#include "discovery/installation.h"
#include "paths/folders_win.h"
#include "platform/folder_browser_win.h"
#include "platform/registry_win.h"
#include "platform/ui_win.h"
#include "resources/dialog_ids.h"
#include "resources/message_ids.h"

namespace {

// What the edit box takes, in characters.
constexpr int kEntryLimit = 260;

}  // namespace

InstallFolderDialog::InstallFolderDialog() : ModalDialog(IDD_INSTALL_FOLDER) {}

bool InstallFolderDialog::OnInitDialog() {
  SendDlgItemMessageA(Handle(), IDC_FOLDER_EDIT, EM_LIMITTEXT, kEntryLimit, 0);
  return true;
}

void InstallFolderDialog::ReadEntry() {
  // Room for kEntryLimit double-byte characters.
  char entry[2 * kEntryLimit + 2] = {};
  GetDlgItemTextA(Handle(), IDC_FOLDER_EDIT, entry, sizeof entry);
  folder_ = entry;
}

void InstallFolderDialog::Refuse(unsigned messageId) {
  ShowAppMessageBox(LoadMessage(messageId), MB_OK);
  SetFocus(Item(IDC_FOLDER_EDIT));
}

void InstallFolderDialog::OnOK() {
  ReadEntry();
  switch (NormaliseFolderEntry(folder_)) {
    case FolderEntry::kEmpty:
      return Refuse(kMsgEnterNetFolder);
    case FolderEntry::kTooLong:
      return Refuse(kMsgWrongFolder);
    case FolderEntry::kToCheck:
      break;
  }
  if (!FileExists(folder_ + kOldestEditionProgram)) return Refuse(kMsgWrongFolder);
  WriteProgramPath("ProgramPath", folder_);  // a failed write only costs the next run a question
  EndDialog(IDOK);
}

void InstallFolderDialog::OnCancel() {
  if (ShowAppMessageBox(LoadMessage(kMsgQuitUnfinished), MB_YESNO) != IDNO) EndDialog(IDCANCEL);
}

bool InstallFolderDialog::OnCommand(int controlId, int code) {
  if (controlId != IDC_BROWSE || code != BN_CLICKED) return false;
  OnBrowse();
  return true;
}

void InstallFolderDialog::OnBrowse() {
  ReadEntry();
  std::string chosen;
  if (BrowseForFolder(chosen, LoadMessage(kMsgBrowseNetFolder), Handle()) == 1 && !chosen.empty()) {
    folder_ = chosen;
    SetDlgItemTextA(Handle(), IDC_FOLDER_EDIT, folder_.c_str());
  }
}

long WriteProgramPath(const std::string& valueName, const std::string& folder) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    RegistryKey key(root, kOldestEditionKey, KEY_ALL_ACCESS, RegistryKey::kCreateIfMissing);
    if (!key.IsOpen()) return key.Error();
    if (LONG error = key.WriteString(valueName, folder)) return error;
  }
  return 0;
}

int AskInstallFolder(std::string& folder) {
  InstallFolderDialog dialog;
  // A dialog that could not be shown accepted nothing: stop as on Cancel.
  if (dialog.DoModal() != IDOK) return -1;
  folder = dialog.Folder();
  return 0;
}
