#pragma once
// Client of the product's IPC library ZMTIPC.dll, in whose table the running
// components register under their component id. Opened at construction from
// the given folder, closed at destruction. The library is shared by all
// clients of the process through a reference count.
#include <cstdint>
#include <string>

#include "procctl/component_directory.h"

class IpcClient : public ComponentDirectory {
 public:
  // `folder` ends with a backslash; the library is folder + "ZMTIPC.dll".
  explicit IpcClient(const std::string& folder);
  ~IpcClient() override;
  IpcClient(const IpcClient&) = delete;
  IpcClient& operator=(const IpcClient&) = delete;

  bool IsInitialised() const { return initialised != 0; }
  // 1 when at least one handle is registered under the id (looked up with
  // the table locked); 0 otherwise or when not initialised.
  int IsRunning(int32_t componentId) override;
  // The first process registered under the id; 0 when none or not initialised.
  uint32_t ProcessIdOf(int32_t componentId) override;

  int32_t loaded = 0;
  int32_t initialised = 0;
  uint32_t handles[256] = {};
  std::string folder;

 private:
  int Open();
  void Close();
};
