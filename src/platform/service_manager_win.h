#pragma once
// Thin RAII wrapper over a service control manager handle or a service
// handle (CloseServiceHandle at the end).
#include <windows.h>

#include <string>

class ServiceHandle {
 public:
  ServiceHandle() = default;
  explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
  ~ServiceHandle();
  ServiceHandle(ServiceHandle&& other) noexcept;
  ServiceHandle& operator=(ServiceHandle&& other) noexcept;
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;

  bool IsOpen() const { return handle_ != nullptr; }
  SC_HANDLE Get() const { return handle_; }

 private:
  SC_HANDLE handle_ = nullptr;
};

// OpenSCManagerA of the local machine, database "ServicesActive", all access.
ServiceHandle OpenLocalServiceManager();
// OpenServiceA with all access.
ServiceHandle OpenServiceByName(const ServiceHandle& manager, const std::string& name);
