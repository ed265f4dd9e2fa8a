#include "app/run_update_win.h"

#include "addons/icon_handler_win.h"
#include "app/report_text.h"
#include "app/update_run.h"
#include "paths/folders_win.h"
#include "platform/ui_win.h"
#include "platform/wait_cursor_win.h"
#include "resources/message_ids.h"

std::string RunUpdate(UpdateRun& run, const std::function<int()>& commit) {
  WaitCursor waiting;
  commit();
  // The run's work is done: the log is free for the next process (the
  // self-update program's, the next run) while the report is shown.
  run.log.EndRunLog();
  const std::string iconHandler = run.programDir + "RegIcon.DLL";
  if (!run.options.listOnly && FileExists(iconHandler)) RegisterIconHandler(iconHandler);
  return BuildReport(run.log.text, run.showVersionReport != 0, run.info,
                     run.restartNeeded ? LoadMessage(kMsgRestartRequest) : std::string());
}
