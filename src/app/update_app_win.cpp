#include <windows.h>
#include <commctrl.h>

#include "app/command_line.h"
#include "app/report_dialog.h"
#include "app/run_driver.h"
#include "app/unattended_run_win.h"
#include "app/update_run.h"
#include "platform/ui_win.h"
#include "procctl/startup_registry.h"
#include "resources/message_ids.h"

int UpdateApp::Run(const std::string& commandLine) {
  // A launcher may pass a stray argument: a run with windows logs it and goes
  // on without it, so that the update still happens; a silent run cannot
  // know what was meant and ends at once.
  if (!ParseCommandLine(commandLine, run_.options, run_.options.ignoredArguments) && run_.options.silent)
    return kExitBadCommandLine;
  if (run_.options.showUsage) return ShowUsage();

  // Common controls (the list view of the version choice) must be registered
  // before any dialog uses them.
  InitCommonControls();
  FixStartupRegistry();
  if (run_.options.silent) return RunUnattended(run_, catalog_);
  if (PrepareRun(run_, catalog_) == Preparation::kReady) ShowReportDialog(run_, catalog_);
  return 0;
}

int UpdateApp::ShowUsage() {
  ShowMessageBox(LoadMessage(kMsgUsage), kMsgTitleNotice, MB_OK);
  return kExitDone;
}
