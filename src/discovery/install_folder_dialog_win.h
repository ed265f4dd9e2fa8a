#pragma once
// The prompt for the oldest edition's program folder. An accepted folder
// holds the edition's main program and is recorded as its "ProgramPath"
// under both registry roots at once.
#include <string>

#include "platform/dialog_win.h"

class InstallFolderDialog : public ModalDialog {
 public:
  // `record`: an accepted folder is recorded as "ProgramPath" (not in a dry run).
  explicit InstallFolderDialog(bool record);

  // After OK: the accepted folder, ending with a backslash.
  const std::string& Folder() const { return folder_; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int controlId, int code) override;

 private:
  void ReadEntry();
  void Refuse(unsigned messageId);
  void OnBrowse();

  std::string folder_;
  bool record_;
};

// Takes the folder entered for the oldest edition: normalised to end with a
// backslash, it must hold the edition's main program; it is then recorded as
// "ProgramPath" when `record` says so. 0 when accepted, else the message that
// refuses it.
unsigned AcceptInstallFolder(std::string& folder, bool record);

// Writes `folder` as the value `valueName` of the oldest edition's key, under
// the local machine and then the current user. 0 on success, else the system
// error code (of the first write that failed; the second is not tried after
// the first fails).
long WriteProgramPath(const std::string& valueName, const std::string& folder);
