#pragma once
// The simulated service (sim_service.exe beside the test program, in sim\)
// installed in the service manager for one test and deleted afterwards.
#include <windows.h>

#include <string>

#include "win_test_support.h"

namespace testsupport {

// `settings`: the service's key=value words (see sim_service.cpp).
class TestService {
 public:
  TestService(const std::string& name, const std::string& settings) : name_(name) {
    manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    const std::string binary =
        "\"" + testsupport::ProgramFolder() + "sim\\sim_service.exe\" name=" + name + " step=100 " + settings;
    service_ = CreateServiceA(manager_, name.c_str(), name.c_str(), SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                              SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, binary.c_str(), nullptr, nullptr, nullptr,
                              nullptr, nullptr);
  }
  ~TestService() {
    if (service_ != nullptr) {
      DeleteService(service_);
      CloseServiceHandle(service_);
    }
    if (manager_ != nullptr) CloseServiceHandle(manager_);
  }
  bool Installed() const { return service_ != nullptr; }
  DWORD State() const {
    SERVICE_STATUS status{};
    return QueryServiceStatus(service_, &status) ? status.dwCurrentState : 0;
  }

 private:
  std::string name_;
  SC_HANDLE manager_ = nullptr;
  SC_HANDLE service_ = nullptr;
};

}  // namespace testsupport
