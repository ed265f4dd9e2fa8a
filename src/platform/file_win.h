#pragma once
// Thin RAII wrapper over a Win32 file handle. No logic: each call maps onto one
// Win32 function; callers decide what a failure means.
#include <windows.h>

#include <cstdint>
#include <string>

class FileHandle {
 public:
  FileHandle() = default;
  // CreateFileA with the given access, share mode and creation disposition.
  FileHandle(const std::string& path, DWORD access, DWORD share, DWORD disposition,
             DWORD attributes = FILE_ATTRIBUTE_NORMAL);
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  // False when the handle was open and closing it failed.
  bool Close();

  // Size of the file; false when it cannot be determined.
  bool Size(uint64_t& size) const;
  // Reads up to `length` bytes; `done` receives the count. False on an I/O error.
  bool Read(void* buffer, DWORD length, DWORD& done);
  // Reads the whole file from its start; false on an I/O error.
  bool ReadAll(std::string& bytes);
  // Writes all `length` bytes; false unless every byte was written.
  bool WriteAll(const void* buffer, DWORD length);
  bool Seek(uint64_t offset);
  bool SeekToEnd();
  bool SetTimes(const FILETIME* created, const FILETIME* accessed, const FILETIME* written);

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};
