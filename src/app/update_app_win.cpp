#include <windows.h>
#include <commctrl.h>

#include "app/report_dialog.h"
#include "app/run_driver.h"
#include "procctl/startup_registry.h"

bool UpdateApp::InitInstance() {
  // Common controls (the list view of the version choice) must be registered
  // before any dialog uses them.
  InitCommonControls();
  FixStartupRegistry();
  if (!PrepareRun(run_, catalog_)) return false;
  ShowReportDialog(run_, catalog_);
  return false;
}
