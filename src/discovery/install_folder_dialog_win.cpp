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

InstallFolderDialog::InstallFolderDialog(bool record) : ModalDialog(IDD_INSTALL_FOLDER), record_(record) {}

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
  if (unsigned refusal = AcceptInstallFolder(folder_, record_)) return Refuse(refusal);
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

unsigned AcceptInstallFolder(std::string& folder, bool record) {
  switch (NormaliseFolderEntry(folder)) {
    case FolderEntry::kEmpty:
      return kMsgEnterNetFolder;
    case FolderEntry::kTooLong:
      return kMsgWrongFolder;
    case FolderEntry::kToCheck:
      break;
  }
  if (!FileExists(folder + kOldestEditionProgram)) return kMsgWrongFolder;
  if (record) WriteProgramPath("ProgramPath", folder);  // a failed write only costs the next run a question
  return 0;
}

long WriteProgramPath(const std::string& valueName, const std::string& folder) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    RegistryKey key(root, kOldestEditionKey, KEY_ALL_ACCESS, RegistryKey::kCreateIfMissing);
    if (!key.IsOpen()) return key.Error();
    if (LONG error = key.WriteString(valueName, folder)) return error;
  }
  return 0;
}

int AskInstallFolder(const RunOptions& options, std::string& folder) {
  if (!options.programDir.empty()) {
    std::string named = options.programDir;
    if (unsigned refusal = AcceptInstallFolder(named, !options.listOnly)) {
      ShowAppMessageBox(LoadMessage(refusal), MB_OK);
      return kChoiceRefused;
    }
    folder = named;
    return kChoiceMade;
  }
  if (options.silent) {
    ShowAppMessageBox(LoadMessage(kMsgProgramDirNotNamed), MB_OK);
    return kChoiceRefused;
  }
  InstallFolderDialog dialog(!options.listOnly);
  // A dialog that could not be shown accepted nothing: stop as on Cancel.
  if (dialog.DoModal() != IDOK) return kChoiceStopped;
  folder = dialog.Folder();
  return kChoiceMade;
}
