#pragma once
// A modal dialog built from a dialog resource of the program, with virtual
// handlers for the few messages the runner's dialogs act on.
#include <windows.h>
#include <commctrl.h>

class ModalDialog {
 public:
  explicit ModalDialog(int resourceId) : resourceId_(resourceId) {}
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows the dialog until it ends: IDOK or IDCANCEL, -1 when it could not
  // be created.
  INT_PTR DoModal(HWND owner = nullptr);

 protected:
  HWND Handle() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  void EndDialog(INT_PTR result) { ::EndDialog(window_, result); }

  virtual bool OnInitDialog() { return true; }
  // OK (the default button, Enter) and Cancel (Esc, the close box).
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // Other commands; true when handled.
  virtual bool OnCommand(int /*controlId*/, int /*code*/) { return false; }
  // Notifications of common controls; true when handled, with `result` the
  // value the control gets back.
  virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  // Any other message; true when handled, with `result` what the dialog
  // procedure returns for it (TRUE, or the value itself for messages such
  // as WM_QUERYDRAGICON whose answer is the procedure's result).
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) {
    return false;
  }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

  int resourceId_;
  HWND window_ = nullptr;
};
