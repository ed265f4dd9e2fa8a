#include "procctl/product_clients_win.h"

#include <memory>

#include "app/update_run.h"
#include "platform/library_win.h"
#include "procctl/ipc_client_win.h"
#include "procctl/service_client_win.h"

void OpenProductClients(UpdateRun& run) {
  const std::string exe = ExecutablePath();
  const size_t slash = exe.find_last_of('\\');
  // Without a full path the name alone would make Windows search for the libraries.
  if (slash == std::string::npos) return;
  const std::string folder = exe.substr(0, slash + 1);
  run.ipcClient = std::make_unique<IpcClient>(folder);
  run.serviceClient = std::make_unique<ServiceClient>(folder);
}
