#include "platform/file_win.h"

#include <utility>

FileHandle::FileHandle(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                       DWORD attributes)
    : handle_(CreateFileA(path.c_str(), access, share, nullptr, disposition, attributes, nullptr)) {}

FileHandle::~FileHandle() { Close(); }

FileHandle::FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
  }
  return *this;
}

bool FileHandle::Close() {
  const bool closed = !IsOpen() || CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  return closed;
}

bool FileHandle::Size(uint64_t& size) const {
  DWORD high = 0;
  DWORD low = GetFileSize(handle_, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
  size = (uint64_t(high) << 32) | low;
  return true;
}

bool FileHandle::Read(void* buffer, DWORD length, DWORD& done) {
  done = 0;
  return ReadFile(handle_, buffer, length, &done, nullptr) != 0;
}

bool FileHandle::ReadAll(std::string& bytes) {
  uint64_t size = 0;
  if (!Size(size) || size > 0x7FFFFFFF || !Seek(0)) return false;
  bytes.assign(size_t(size), '\0');
  DWORD done = 0;
  if (size > 0 && !Read(&bytes[0], DWORD(size), done)) return false;
  bytes.resize(done);
  return true;
}

bool FileHandle::WriteAll(const void* buffer, DWORD length) {
  DWORD done = 0;
  return WriteFile(handle_, buffer, length, &done, nullptr) != 0 && done == length;
}

bool FileHandle::Seek(uint64_t offset) {
  LONG high = LONG(offset >> 32);
  DWORD low = SetFilePointer(handle_, LONG(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
  return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

bool FileHandle::SeekToEnd() {
  DWORD low = SetFilePointer(handle_, 0, nullptr, FILE_END);
  return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

bool FileHandle::SetTimes(const FILETIME* created, const FILETIME* accessed, const FILETIME* written) {
  return SetFileTime(handle_, created, accessed, written) != 0;
}
