// Entry point of the runner. The run state and the catalogue have static
// lifetime: they are built before the run starts and destroyed when the
// program ends, which deletes the expanded catalogue.
#include <windows.h>

#include "app/run_driver.h"
#include "app/update_run.h"
#include "catalog/update_catalog.h"

namespace {
UpdateRun g_run;
UpdateCatalog g_catalog;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  UpdateApp app(g_run, g_catalog);
  app.InitInstance();
  return 0;
}
