// Entry point of the runner. The run state and the catalogue have static
// lifetime: they are built before the run starts and destroyed when the
// program ends, which deletes the expanded catalogue and closes the
// product's library clients.
#include <windows.h>

#include "app/run_driver.h"
#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "procctl/product_clients_win.h"

namespace {
UpdateRun g_run;
UpdateCatalog g_catalog;
// The product's library clients open as the run state is built, before
// WinMain, and close with it at exit.
const bool g_clientsOpened = (OpenProductClients(g_run), true);
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  UpdateApp app(g_run, g_catalog);
  return app.Run(commandLine != nullptr ? commandLine : "");
}
