#include "app/report_dialog_win.h"

#include "addons/assistant_offer_win.h"
#include "app/file_dialog_filter.h"
#include "app/report_dialog.h"
#include "app/report_file_win.h"
#include "app/run_update_win.h"
#include "app/update_run.h"
#include "commit/commit_driver.h"
#include "log/message_text.h"
#include "app/dry_run_win.h"
#include "paths/folders_win.h"
#include "platform/save_file_dialog_win.h"
#include "platform/ui_win.h"
#include "resources/report_ids.h"
#include "resources/message_ids.h"

ReportDialog::ReportDialog(UpdateRun& run, std::function<int()> commit)
    : ModalDialog(IDD_REPORT),
      run_(run),
      commit_(std::move(commit)),
      icon_(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kAppIconId))) {}

bool ReportDialog::OnInitDialog() {
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  // A long run's report must not be cut at the edit control's default limit.
  SendDlgItemMessageA(Handle(), IDC_REPORT_TEXT, EM_SETLIMITTEXT, 0, 0);
  report_ = LoadMessage(kMsgUpdating);
  ShowReport();
  // The update starts once the dialog is on screen.
  PostMessageA(Handle(), WM_RUN_UPDATE, 0, 0);
  return true;
}

void ReportDialog::ShowReport() { SetDlgItemTextA(Handle(), IDC_REPORT_TEXT, report_.c_str()); }

void ReportDialog::OnOK() {
  ShowWindow(Handle(), SW_HIDE);
  const std::string installer = run_.programDir + "assist4.exe";
  if (!run_.options.listOnly && FileExists(installer)) OfferAssistant(installer, run_.productRegKey);
  EndDialog(IDOK);
}

bool ReportDialog::OnCommand(int controlId, int code) {
  if (controlId != IDC_SAVE_AS || code != BN_CLICKED) return false;
  OnSaveAs();
  return true;
}

void ReportDialog::OnSaveAs() {
  std::string path;
  if (!AskSaveFileName(Handle(), FileDialogFilter(LoadMessage(kMsgSaveFilter)), "txt", "Report", path)) return;
  if (!WriteReportFile(path, report_))
    ShowMessageBox(FormatMessageText(LoadMessage(kMsgReportNotSaved), {path}), kMsgTitleError, MB_OK | MB_ICONERROR);
}

bool ReportDialog::OnPaint() {
  if (!IsIconic(Handle())) return false;
  PAINTSTRUCT paint;
  HDC context = BeginPaint(Handle(), &paint);
  SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context), 0);
  RECT client;
  GetClientRect(Handle(), &client);
  int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(context, x, y, icon_);
  EndPaint(Handle(), &paint);
  return true;
}

bool ReportDialog::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_RUN_UPDATE:
      if (!updateRan_) {
        updateRan_ = true;
        report_ = RunUpdate(run_, commit_);
        ShowReport();
      }
      result = TRUE;
      return true;
    case WM_PAINT:
      result = TRUE;
      return OnPaint();
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(icon_);
      return true;
    default:
      return false;
  }
}

void ShowReportDialog(UpdateRun& run, UpdateCatalog& catalog) {
  ReportDialog dialog(run, [&run, &catalog] { return UpdateOrList(run, catalog); });
  dialog.DoModal();
}
