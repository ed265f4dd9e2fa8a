#include "procctl/service_client_win.h"

#include "paths/path_ops.h"
#include "procctl/product_library_calls_win.h"

namespace {

constexpr int32_t kRunnerClientKind = 7;

// The resident service's notifications need no action from the runner.
int32_t WINAPI IgnoreNotification(uint32_t) { return 1; }

}  // namespace

ServiceClient::ServiceClient(const std::string& folder) : libraryPath(folder + "ZMTSvc.DLL") {
  if (LoadAndInit()) initialised = 1;
}

ServiceClient::~ServiceClient() {
  if (initialised && libraryInitialised_ && entries_[svccalls::kUnInit] != nullptr) {
    reinterpret_cast<svccalls::UnInit>(reinterpret_cast<void*>(entries_[svccalls::kUnInit]))();
  }
  initialised = 0;
  // The library may still run threads of its own after UnInit: it stays
  // loaded until the process ends.
  library_.Release();
}

int ServiceClient::LoadAndInit() {
  if (!FitsPathLimit(libraryPath)) return 0;
  library_ = Library(libraryPath);
  if (!library_.IsLoaded()) return 0;
  for (int i = 0; i < svccalls::kExportCount; ++i) {
    entries_[i] = library_.Symbol(svccalls::kExportNames[i]);
    if (entries_[i] == nullptr) return 0;
  }
  auto init = reinterpret_cast<svccalls::Init>(reinterpret_cast<void*>(entries_[svccalls::kInit]));
  if (init(kRunnerClientKind, &IgnoreNotification) == 0) return 0;
  libraryInitialised_ = true;
  return 1;
}

int ServiceClient::IsRunning(int32_t componentId) {
  if (!initialised) return 0;
  auto check = reinterpret_cast<svccalls::CheckClientExist>(
      reinterpret_cast<void*>(entries_[svccalls::kCheckClientExist]));
  return check(componentId) != 0 ? 1 : 0;
}

uint32_t ServiceClient::ProcessIdOf(int32_t componentId) {
  if (!initialised) return 0;
  auto get = reinterpret_cast<svccalls::GetClientProcessId>(
      reinterpret_cast<void*>(entries_[svccalls::kGetClientProcessId]));
  return get(componentId);
}
