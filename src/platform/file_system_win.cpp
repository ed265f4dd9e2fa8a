#include "platform/file_system_win.h"

#include <windows.h>

#include <vector>

namespace {

// One Win32 call per operation; open handles are kept in a table so that
// the portable callers see small numbers, never a HANDLE.
class Win32FileSystem : public FileSystem {
 public:
  FileId Open(const std::string& path, FileOpen how) override {
    DWORD access = GENERIC_WRITE, share = FILE_SHARE_READ, disposition = CREATE_ALWAYS;
    switch (how) {
      case FileOpen::kRead:
        access = GENERIC_READ, share = FILE_SHARE_READ | FILE_SHARE_WRITE, disposition = OPEN_EXISTING;
        break;
      case FileOpen::kCreateNew: share = 0, disposition = CREATE_NEW; break;
      case FileOpen::kCreateAlways: break;
      case FileOpen::kReadWrite: access = GENERIC_READ | GENERIC_WRITE, disposition = OPEN_ALWAYS; break;
    }
    HANDLE handle = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return Failed(kNoFile);
    for (size_t i = 0; i < handles_.size(); ++i) {
      if (handles_[i] == INVALID_HANDLE_VALUE) {
        handles_[i] = handle;
        return FileId(i);
      }
    }
    handles_.push_back(handle);
    return FileId(handles_.size() - 1);
  }

  bool Read(FileId file, void* buffer, uint32_t length, uint32_t& done) override {
    DWORD got = 0;
    const bool read = ReadFile(Handle(file), buffer, length, &got, nullptr) != 0;
    done = got;
    return read || Failed(false);
  }

  bool Write(FileId file, const void* buffer, uint32_t length) override {
    DWORD written = 0;
    if (!WriteFile(Handle(file), buffer, length, &written, nullptr)) return Failed(false);
    return written == length;
  }

  bool SeekToEnd(FileId file) override {
    const DWORD low = SetFilePointer(Handle(file), 0, nullptr, FILE_END);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) || Failed(false);
  }

  bool Size(FileId file, uint64_t& size) override {
    DWORD high = 0;
    const DWORD low = GetFileSize(Handle(file), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return Failed(false);
    size = uint64_t(high) << 32 | low;
    return true;
  }

  bool Flush(FileId file) override { return FlushFileBuffers(Handle(file)) || Failed(false); }

  bool WriteTime(FileId file, FileTime& time) override {
    FILETIME written;
    if (!GetFileTime(Handle(file), nullptr, nullptr, &written)) return Failed(false);
    time = {written.dwLowDateTime, written.dwHighDateTime};
    return true;
  }

  bool SetWriteTime(FileId file, const FileTime& time) override {
    const FILETIME written{time.low, time.high};
    return SetFileTime(Handle(file), nullptr, nullptr, &written) || Failed(false);
  }

  bool Close(FileId file) override {
    HANDLE handle = Handle(file);
    if (handle == INVALID_HANDLE_VALUE) return false;
    handles_[size_t(file)] = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) || Failed(false);
  }

  bool Move(const std::string& from, const std::string& to) override {
    return MoveFileA(from.c_str(), to.c_str()) || Failed(false);
  }

  bool MoveReplacing(const std::string& from, const std::string& to) override {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) || Failed(false);
  }

  bool MoveAtRestart(const std::string& from, const std::string& to) override {
    const DWORD flags = MOVEFILE_DELAY_UNTIL_REBOOT | (to.empty() ? 0 : MOVEFILE_REPLACE_EXISTING);
    return MoveFileExA(from.c_str(), to.empty() ? nullptr : to.c_str(), flags) || Failed(false);
  }

  bool Delete(const std::string& path) override { return DeleteFileA(path.c_str()) || Failed(false); }

  uint32_t Attributes(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? Failed(kNoSuchFile) : attributes;
  }

  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    return SetFileAttributesA(path.c_str(), attributes) || Failed(false);
  }

  bool ShortPath(const std::string& path, std::string& shortPath) override {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    if (length == 0) return Failed(false);
    if (length >= MAX_PATH) {
      error_ = ERROR_FILENAME_EXCED_RANGE;
      return false;
    }
    shortPath.assign(buffer, length);
    return true;
  }

  uint32_t LastError() override { return error_; }

 private:
  HANDLE Handle(FileId file) const {
    return file >= 0 && size_t(file) < handles_.size() ? handles_[size_t(file)] : INVALID_HANDLE_VALUE;
  }

  // Keeps the call's error for LastError() and passes `result` on.
  template <typename T>
  T Failed(T result) {
    error_ = GetLastError();
    return result;
  }

  std::vector<HANDLE> handles_;
  uint32_t error_ = 0;
};

}  // namespace

// Never destroyed: an object of static lifetime (the run's log) may still
// close its file as the program ends, after function-local statics are gone.
FileSystem& SystemFileSystem() {
  static Win32FileSystem* files = new Win32FileSystem;
  return *files;
}
