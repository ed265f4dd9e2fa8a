#include "platform/service_manager_win.h"

#include <utility>

#include "platform/library_win.h"

namespace {

struct ServiceFunctions {
  decltype(&OpenSCManagerA) openManager = nullptr;
  decltype(&OpenServiceA) openService = nullptr;
  decltype(&CloseServiceHandle) close = nullptr;
  decltype(&ControlService) control = nullptr;
  decltype(&QueryServiceStatus) queryStatus = nullptr;
  decltype(&StartServiceA) start = nullptr;

  bool Complete() const { return openManager && openService && close && control && queryStatus && start; }
};

template <typename Function>
void Find(const char* name, Function& function) {
  function = SystemFunction<Function>("ADVAPI32.DLL", name);
}

// All six or none: a half-found set would open handles it cannot close.
const ServiceFunctions& Functions() {
  static const ServiceFunctions functions = [] {
    ServiceFunctions found;
    Find("OpenSCManagerA", found.openManager);
    Find("OpenServiceA", found.openService);
    Find("CloseServiceHandle", found.close);
    Find("ControlService", found.control);
    Find("QueryServiceStatus", found.queryStatus);
    Find("StartServiceA", found.start);
    return found.Complete() ? found : ServiceFunctions{};
  }();
  return functions;
}

}  // namespace

ServiceHandle::~ServiceHandle() {
  if (handle_ != nullptr) Functions().close(handle_);
}

ServiceHandle::ServiceHandle(ServiceHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

ServiceHandle& ServiceHandle::operator=(ServiceHandle&& other) noexcept {
  if (this != &other) {
    if (handle_ != nullptr) Functions().close(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

bool ServiceHandle::Control(DWORD control, SERVICE_STATUS& status) const {
  return handle_ != nullptr && Functions().control(handle_, control, &status);
}

bool ServiceHandle::QueryStatus(SERVICE_STATUS& status) const {
  return handle_ != nullptr && Functions().queryStatus(handle_, &status);
}

bool ServiceHandle::Start() const {
  return handle_ != nullptr && Functions().start(handle_, 0, nullptr);
}

ServiceHandle OpenLocalServiceManager() {
  const ServiceFunctions& functions = Functions();
  if (!functions.Complete()) return ServiceHandle();
  return ServiceHandle(functions.openManager(nullptr, "ServicesActive", SC_MANAGER_ALL_ACCESS));
}

ServiceHandle OpenServiceByName(const ServiceHandle& manager, const std::string& name) {
  if (!manager.IsOpen()) return ServiceHandle();
  return ServiceHandle(Functions().openService(manager.Get(), name.c_str(), SERVICE_ALL_ACCESS));
}
