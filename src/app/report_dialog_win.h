#pragma once
// The runner's main window: shows "updating files" while the update runs
// inside it, then the report of the run, which the user can save; Exit makes
// the assistant offer before the window closes, Esc and the close box do not.
#include <functional>
#include <string>

#include "platform/dialog_win.h"

struct UpdateRun;

// Posted by the dialog to itself once it is shown; the update runs on it.
constexpr UINT WM_RUN_UPDATE = 0x41E;

class ReportDialog : public ModalDialog {
 public:
  // `commit` is the file update that RunUpdate runs.
  ReportDialog(UpdateRun& run, std::function<int()> commit);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(int controlId, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void ShowReport();
  void OnSaveAs();
  bool OnPaint();

  UpdateRun& run_;
  std::function<int()> commit_;
  std::string report_;
  HICON icon_;
  bool updateRan_ = false;  // the update runs once, whatever posts the message again
};
