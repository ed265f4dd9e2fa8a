#include "platform/service_manager_win.h"

#include <utility>

ServiceHandle::~ServiceHandle() {
  if (handle_ != nullptr) CloseServiceHandle(handle_);
}

ServiceHandle::ServiceHandle(ServiceHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

ServiceHandle& ServiceHandle::operator=(ServiceHandle&& other) noexcept {
  if (this != &other) {
    if (handle_ != nullptr) CloseServiceHandle(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

ServiceHandle OpenLocalServiceManager() {
  return ServiceHandle(OpenSCManagerA(nullptr, "ServicesActive", SC_MANAGER_ALL_ACCESS));
}

ServiceHandle OpenServiceByName(const ServiceHandle& manager, const std::string& name) {
  return ServiceHandle(OpenServiceA(manager.Get(), name.c_str(), SERVICE_ALL_ACCESS));
}
