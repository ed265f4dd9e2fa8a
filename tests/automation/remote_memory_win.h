#pragma once
// Memory in the process that owns a window, for the messages of common
// controls that carry pointers (list views, for one): Windows marshals only
// the standard messages between processes, so their structures must lie in
// the receiving process. Works within the caller's own process too.
#include <windows.h>

#include <cstddef>

namespace automation {

class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool IsValid() const { return address_ != nullptr; }
  // The block's address in the window's process.
  char* Address() const { return static_cast<char*>(address_); }
  bool Write(size_t offset, const void* data, size_t size) const;
  bool Read(size_t offset, void* data, size_t size) const;

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_ = 0;
};

}  // namespace automation
