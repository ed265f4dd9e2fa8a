#include "remote_memory_win.h"

namespace automation {

RemoteMemory::RemoteMemory(HWND window, size_t size) : size_(size) {
  DWORD processId = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) return;
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process_ == nullptr) return;
  address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  if (process_ != nullptr) CloseHandle(process_);
}

bool RemoteMemory::Write(size_t offset, const void* data, size_t size) const {
  SIZE_T done = 0;
  return address_ != nullptr && offset + size <= size_ &&
         WriteProcessMemory(process_, Address() + offset, data, size, &done) && done == size;
}

bool RemoteMemory::Read(size_t offset, void* data, size_t size) const {
  SIZE_T done = 0;
  return address_ != nullptr && offset + size <= size_ &&
         ReadProcessMemory(process_, Address() + offset, data, size, &done) && done == size;
}

}  // namespace automation
