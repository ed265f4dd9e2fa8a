#pragma once
// Thin RAII wrapper over a service control manager handle or a service
// handle (CloseServiceHandle at the end). The service functions are looked
// up in ADVAPI32 when first needed, not imported: Windows 95, 98 and Me have
// no service manager, and the program must load there all the same. Where
// they are missing, no manager opens and every call fails.
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

  // ControlService, QueryServiceStatus and StartServiceA on this service.
  bool Control(DWORD control, SERVICE_STATUS& status) const;
  bool QueryStatus(SERVICE_STATUS& status) const;
  bool Start() const;

 private:
  SC_HANDLE handle_ = nullptr;
};

// OpenSCManagerA of the local machine, database "ServicesActive", all access.
ServiceHandle OpenLocalServiceManager();
// OpenServiceA with all access.
ServiceHandle OpenServiceByName(const ServiceHandle& manager, const std::string& name);
