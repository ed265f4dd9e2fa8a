#include "app/unattended_run_win.h"

#include "app/exit_code.h"
#include "app/logged_messages_win.h"
#include "app/report_file_win.h"
#include "app/run_driver.h"
#include "app/run_update_win.h"
#include "app/update_run.h"
#include "app/dry_run_win.h"
#include "paths/path_ops.h"

std::string UnattendedReportPath(UpdateRun& run) {
  if (!run.options.reportPath.empty()) return run.options.reportPath;
  // A dry run leaves the installation as it was: its report goes beside the package.
  if (run.options.listOnly && !run.packageDir.empty()) return run.packageDir + kDefaultReportName;
  if (run.log.Started()) {
    std::string log = run.log.LogFilePath();
    if (!log.empty()) return FolderOfPath(log) + kDefaultReportName;
  }
  return run.tempDir + kDefaultReportName;
}

int RunUnattended(UpdateRun& run, UpdateCatalog& catalog) {
  LoggedMessages messages(run);
  Preparation preparation = PrepareRun(run, catalog);
  int packageIntact = 1;
  std::string report = run.log.text;
  if (preparation == Preparation::kReady)
    report = RunUpdate(run, [&] { return packageIntact = UpdateOrList(run, catalog); });
  // The program folder may take no file (read-only, full): the default
  // report then goes to the temporary folder. A report that cannot be
  // written anywhere leaves the log as the record; the exit code still tells
  // the outcome.
  if (!WriteReportFile(UnattendedReportPath(run), report) && run.options.reportPath.empty())
    WriteReportFile(run.tempDir + kDefaultReportName, report);
  // A file staged for the next start counts as a restart to finish the
  // update, whether or not its item asked for one in the report.
  bool restartPending = run.restartNeeded != 0 || run.deferredPending != 0;
  return UnattendedExitCode(preparation, packageIntact != 0, run.updateIncomplete != 0, restartPending);
}
