// report_probe: shows the runner's report dialog over a run whose commit is
// simulated, so that a test can drive the dialog from outside.
//   report_probe PROGRAM_DIR PRODUCT_REG_KEY OUT
// The run is prepared as the runner prepares it (update-info file, run log);
// the simulated commit logs two lines. OUT then gets the dialog's result.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/report_dialog_win.h"
#include "app/update_run.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: report_probe PROGRAM_DIR PRODUCT_REG_KEY OUT\n", stderr);
    return 2;
  }
  InitCommonControls();
  UpdateRun run;
  run.programDir = argv[1];
  run.productRegKey = argv[2];
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  run.tempDir = temp;
  run.info.OpenUpdateInfo(run.programDir + "UpdInfo.DAT", run.tempDir + "UpdInfo.INI");
  run.ResetForRun(run.info.ReadInfoInt("Comment", "DisplayVerFlag", 0));
  run.log.StartRunLog();

  ReportDialog dialog(run, [&run] {
    run.log.AppendLine(run.programDir + "ZMT9X.EXE");
    run.log.AppendLine(LoadMessage(kMsgFilesUpdated));
    return 1;
  });
  INT_PTR result = dialog.DoModal();

  FILE* out = std::fopen(argv[3], "wb");
  if (out == nullptr) return 2;
  std::fprintf(out, "%d\n", int(result));
  std::fclose(out);
  return 0;
}
