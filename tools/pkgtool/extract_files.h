#pragma once
// The archive extraction bound to portable file I/O, for pkgtool.
#include <fstream>
#include <string>

#include "package/archive_extraction.h"

class StreamArchiveSource : public ArchiveSource {
 public:
  explicit StreamArchiveSource(std::ifstream& in) : in_(in) {}
  bool Size(uint64_t& size) override;
  bool Seek(uint64_t offset) override;
  bool Read(unsigned char* buffer, size_t length, size_t& done) override;

 private:
  std::ifstream& in_;
};

// Writes entries below a destination folder. Folder levels join with the
// platform's separator; names keep their archive bytes. The times set are the
// last-write and last-access times (where the platform allows the latter).
class DirectoryTarget : public ExtractTarget {
 public:
  explicit DirectoryTarget(std::string destination) : destination_(std::move(destination)) {}
  bool Create(const EntryPlacement& placement) override;
  bool Write(const unsigned char* bytes, size_t length) override;
  bool Finish(const ArchiveTimes& times) override;

  // The output path of the entry being written, or of the last one.
  const std::string& current() const { return current_; }

 private:
  std::string destination_;
  std::string current_;
  std::ofstream out_;
};
