#include <windows.h>
#include <commctrl.h>

#include "app/command_line.h"
#include "app/elevation_win.h"
#include "app/exit_code.h"
#include "app/report_dialog.h"
#include "app/run_driver.h"
#include "app/unattended_run_win.h"
#include "app/update_run.h"
#include "app/report_file_win.h"
#include "paths/folders_win.h"
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

  // Before anything is touched: a run that lacks the rights it needs, and
  // cannot get them, changes nothing. A dry run writes nothing it would need
  // them for.
  const ElevationStep step =
      run_.options.listOnly ? ElevationStep::kProceed : DecideElevation(QueryElevationState(run_.options.silent));
  switch (step) {
    case ElevationStep::kProceed:
      break;
    case ElevationStep::kRelaunchElevated: {
      DWORD exitCode = 0;
      if (RelaunchElevated(commandLine, exitCode)) return static_cast<int>(exitCode);
      return RefuseWithoutRights();
    }
    case ElevationStep::kRefuse:
      return RefuseWithoutRights();
  }

  // Common controls (the list view of the version choice) must be registered
  // before any dialog uses them.
  InitCommonControls();
  // A dry run changes nothing: no registry clean-up, no log file.
  if (run_.options.listOnly)
    run_.log.KeepInMemoryOnly();
  else
    FixStartupRegistry();
  if (run_.options.silent) return RunUnattended(run_, catalog_);
  if (PrepareRun(run_, catalog_) == Preparation::kReady) ShowReportDialog(run_, catalog_);
  return 0;
}

int UpdateApp::RefuseWithoutRights() {
  const std::string text = LoadMessage(kMsgElevationNeeded);
  if (!run_.options.silent) {
    ShowMessageBox(text, kMsgTitleError, MB_OK | MB_ICONSTOP);
    return kExitFailed;
  }
  // No installation is known yet, and its folder may take no file from this
  // user: the report goes where /REPORT says, else to the temporary folder.
  InitFolders(run_);
  WriteReportFile(UnattendedReportPath(run_), text + "\r\n");
  return kExitFailed;
}

int UpdateApp::ShowUsage() {
  ShowMessageBox(LoadMessage(kMsgUsage), kMsgTitleNotice, MB_OK);
  return kExitDone;
}
