#pragma once
// Client of the product's resident-service library ZMTSvc.DLL, which knows
// the resident service's clients by component id. Connects at construction
// (Init with kind 7), disconnects at destruction.
#include <cstdint>
#include <string>

#include "platform/library_win.h"
#include "procctl/component_directory.h"

class ServiceClient : public ComponentDirectory {
 public:
  // `folder` ends with a backslash; the library is folder + "ZMTSvc.DLL".
  explicit ServiceClient(const std::string& folder);
  ~ServiceClient() override;
  ServiceClient(const ServiceClient&) = delete;
  ServiceClient& operator=(const ServiceClient&) = delete;

  bool IsInitialised() const { return initialised != 0; }
  // 1 when the resident service has a client with the id; 0 otherwise or
  // when not connected.
  int IsRunning(int32_t componentId) override;
  // The client's process id; 0 when not connected.
  uint32_t ProcessIdOf(int32_t componentId) override;

  int32_t initialised = 0;
  std::string libraryPath;

 private:
  int LoadAndInit();

  Library library_;
  FARPROC entries_[5] = {};
  bool libraryInitialised_ = false;  // Init succeeded
};
