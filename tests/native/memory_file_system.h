#pragma once
// An in-memory disk behind the file-system seam, for native tests of the
// commit's order of calls. It keeps what a disk keeps: a power cut or a kill
// ("crash") after any call leaves the names as they are and the data as it
// was last flushed. Any call can be made to fail with a chosen error. The
// Windows family decides what the system offers:
//  - 95/98/Me: no replace-existing move and no delayed move (MoveFileExA
//    fails with error 120); a file held open by another program can be
//    neither renamed nor deleted;
//  - NT: both moves work; a file another program holds (a running program)
//    can be renamed but neither deleted nor replaced.
// Names compare without regard to case. Short names are the paths
// themselves: tests give 8.3 paths.
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"

enum class WindowsFamily { k9x, kNt };

class MemoryFileSystem : public FileSystem {
 public:
  explicit MemoryFileSystem(WindowsFamily family) : family_(family) {}

  // Setting up the disk: neither counted as calls nor faulted.
  void AddFolder(const std::string& folder);  // ends with a backslash
  void Put(const std::string& path, const std::string& bytes, uint32_t attributes = kAttributeArchive);
  void HoldOpen(const std::string& path);  // as another program holds it, sharing nothing

  // Call `call` (counted from 1) fails with `error` and changes nothing, but
  // a write writes half its bytes first, as on a full disk.
  void FailCall(int call, uint32_t error) { failCall_ = call, failError_ = error; }
  // Call `call`, a write, writes half its bytes but reports them all
  // written, as a faulty driver might.
  void CutWriteSilently(int call) { silentCutCall_ = call; }
  // After call `call` the process is gone: every later call fails and
  // changes nothing, and the data written since the last flush is lost.
  void CrashAfterCall(int call) { crashAfter_ = call; }
  int Calls() const { return calls_; }
  // Carries out a crash that is due after the last call made; true when the
  // process has crashed.
  bool Settle();

  // The files by folded path: name as created, bytes and attributes.
  struct Entry {
    std::string name;
    std::string bytes;
    uint32_t attributes = kAttributeArchive;
  };
  std::map<std::string, Entry> Files() const;
  // The file's bytes, or false when there is none.
  bool Get(const std::string& path, std::string& bytes) const;
  // The delayed moves registered so far (destination empty: a deletion).
  const std::vector<std::pair<std::string, std::string>>& PendingMoves() const { return pending_; }
  // The next start: NT carries out the delayed moves; 95/98/Me the
  // [rename] section of `wininitPath` and then renames it to wininit.bak.
  // No file is held open any more, and no fault is set.
  void Restart(const std::string& wininitPath);

  FileId Open(const std::string& path, FileOpen how) override;
  bool Read(FileId file, void* buffer, uint32_t length, uint32_t& done) override;
  bool Write(FileId file, const void* buffer, uint32_t length) override;
  bool SeekToEnd(FileId file) override;
  bool Size(FileId file, uint64_t& size) override;
  bool Flush(FileId file) override;
  bool WriteTime(FileId file, FileTime& time) override;
  bool SetWriteTime(FileId file, const FileTime& time) override;
  bool Close(FileId file) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool MoveAtRestart(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  uint32_t Attributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  bool ShortPath(const std::string& path, std::string& shortPath) override;
  uint32_t LastError() override { return error_; }

 private:
  struct File {
    std::string name;
    std::string bytes;
    std::string durable;  // what a power cut leaves
    uint32_t attributes = kAttributeArchive;
    FileTime written;
    int opens = 0;
    bool heldByOther = false;
  };
  struct Handle {
    std::string key;
    bool writes = false;
    size_t position = 0;
    bool open = false;
  };

  // Counts the call; false (with the error set) when it is to fail.
  bool Begin();
  bool FailedByFault() const { return !crashed_ && calls_ == failCall_; }
  bool Fail(uint32_t error);
  File* Find(const std::string& path);
  Handle* HandleOf(FileId file);
  bool FolderExists(const std::string& path) const;
  bool Rename(const std::string& from, const std::string& to, bool replace);

  WindowsFamily family_;
  std::map<std::string, File> files_;
  std::set<std::string> folders_;
  std::vector<Handle> handles_;
  std::vector<std::pair<std::string, std::string>> pending_;
  int calls_ = 0, failCall_ = 0, crashAfter_ = 0, silentCutCall_ = 0;
  uint32_t failError_ = 0, error_ = 0;
  bool crashed_ = false;
};
