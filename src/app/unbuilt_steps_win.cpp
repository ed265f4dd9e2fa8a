// The steps of a run that later work fills in. Each entry is removed when its
// real implementation lands.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/unbuilt_step_win.h"
#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "discovery/installation.h"
#include "package/archive.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

void StopAtUnbuiltStep(const char* step) {
  std::string format = LoadMessage(kMsgStepNotBuilt);
  char text[1024];
  std::snprintf(text, sizeof text, format.c_str(), step);
  ShowMessageBox(text, kMsgTitleError, MB_OK | MB_ICONSTOP);
  std::exit(3);
}
