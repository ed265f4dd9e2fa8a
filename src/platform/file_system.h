#pragma once
// The file operations of the commit and the restart routes behind one small
// interface, so that their order of calls runs natively against an
// in-memory file system that can fail or cut off any call. The system's
// implementation is SystemFileSystem() (file_system_win.h): each operation is
// one Win32 call that Windows 95 exports.
#include <cstdint>
#include <string>

using FileId = int32_t;  // an open file
constexpr FileId kNoFile = -1;

enum class FileOpen {
  kRead,          // existing file, read access; others may read and write it
  kCreateNew,     // new file, write access; fails when the name is taken
  kCreateAlways,  // new or emptied file, write access
  kReadWrite,     // existing or new file, contents kept, read and write access; others may read it
};

// Win32 file attribute bits and the values the callers tell apart.
constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeHidden = 0x02;
constexpr uint32_t kAttributeSystem = 0x04;
constexpr uint32_t kAttributeFolder = 0x10;
constexpr uint32_t kAttributeArchive = 0x20;
constexpr uint32_t kAttributeNormal = 0x80;
constexpr uint32_t kNoSuchFile = 0xFFFFFFFFu;  // Attributes() of a missing path

// Win32 error codes the callers tell apart.
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorFileExists = 80;
constexpr uint32_t kErrorAlreadyExists = 183;

struct FileTime {
  uint32_t low = 0;
  uint32_t high = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // kNoFile on failure (LastError() tells why).
  virtual FileId Open(const std::string& path, FileOpen how) = 0;
  // Reads up to `length` bytes; `done` 0 at the end of the file.
  virtual bool Read(FileId file, void* buffer, uint32_t length, uint32_t& done) = 0;
  // True only when every byte was written.
  virtual bool Write(FileId file, const void* buffer, uint32_t length) = 0;
  virtual bool SeekToEnd(FileId file) = 0;
  // The file's length as the open file sees it (GetFileSize).
  virtual bool Size(FileId file, uint64_t& size) = 0;
  // Puts the written bytes on the disk (FlushFileBuffers): until then a
  // power cut may lose them, even after the file was closed or renamed.
  virtual bool Flush(FileId file) = 0;
  virtual bool WriteTime(FileId file, FileTime& time) = 0;
  virtual bool SetWriteTime(FileId file, const FileTime& time) = 0;
  virtual bool Close(FileId file) = 0;

  // Renames a file; fails when `to` exists (MoveFileA).
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  // Renames a file over an existing one in one step, written through to the
  // disk (MoveFileExA). Not available on Windows 95/98/Me.
  virtual bool MoveReplacing(const std::string& from, const std::string& to) = 0;
  // Registers the move of `from` onto `to` at the next start, or the
  // deletion of `from` when `to` is empty (MoveFileExA, NT only).
  virtual bool MoveAtRestart(const std::string& from, const std::string& to) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // kNoSuchFile when nothing is there.
  virtual uint32_t Attributes(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
  // The 8.3 form of an existing path (GetShortPathNameA).
  virtual bool ShortPath(const std::string& path, std::string& shortPath) = 0;
  // The error of the last call that failed.
  virtual uint32_t LastError() = 0;
};

// An open file, closed when it goes out of scope.
class OpenFile {
 public:
  OpenFile(FileSystem& files, const std::string& path, FileOpen how) : files_(files), id_(files.Open(path, how)) {}
  ~OpenFile() { Close(); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  bool IsOpen() const { return id_ != kNoFile; }
  FileId Id() const { return id_; }
  // True when the file was open and closed cleanly.
  bool Close() {
    if (id_ == kNoFile) return false;
    const bool closed = files_.Close(id_);
    id_ = kNoFile;
    return closed;
  }

 private:
  FileSystem& files_;
  FileId id_;
};
