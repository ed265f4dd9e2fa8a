#pragma once
// The order of an archive extraction, independent of where the bytes come from
// and go to: the runner binds it to Win32 files, pkgtool to portable file I/O.
#include <cstddef>
#include <cstdint>

#include "package/archive_format.h"
#include "package/archive_names.h"

// The archive being read.
class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;
  virtual bool Size(uint64_t& size) = 0;
  virtual bool Seek(uint64_t offset) = 0;
  // Reads up to `length` bytes; `done` receives the count. False on an I/O error.
  virtual bool Read(unsigned char* buffer, size_t length, size_t& done) = 0;
};

// Where the entries go. One output file is open at a time.
class ExtractTarget {
 public:
  virtual ~ExtractTarget() = default;
  // Creates the entry's folders and its output file, replacing an existing one.
  virtual bool Create(const EntryPlacement& placement) = 0;
  virtual bool Write(const unsigned char* bytes, size_t length) = 0;
  // Gives the output file its times and closes it. False when the close
  // fails (the last bytes could not be flushed, say on a full disk).
  virtual bool Finish(const ArchiveTimes& times) = 0;
};

enum class ArchiveFault {
  kNone,
  kUnreadable,     // a read or seek of the archive failed or came up short
  kBadHeader,      // not format 1, no entries, or a directory past the end
  kBadData,        // negative size, end before size, or data past the end
  kUnsafeName,     // name or folder not usable inside the destination
  kCreateFailed,   // the output file could not be created
  kWriteFailed,    // a write, flush or close of the output file failed
};

struct ExtractOutcome {
  ArchiveFault fault = ArchiveFault::kNone;
  int32_t entry = -1;  // the entry at fault, -1 for the header
  bool ok() const { return fault == ArchiveFault::kNone; }
};

// Extracts every entry in directory order through one 32 KiB buffer. An entry
// is checked completely before its output file is created; the first failure
// ends the extraction, and files written before it stay.
ExtractOutcome ExtractArchive(ArchiveSource& source, ExtractTarget& target);
