#include "memory_archive.h"

#include <algorithm>
#include <cstring>

namespace {

class MemorySource : public ArchiveSource {
 public:
  explicit MemorySource(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}
  bool Size(uint64_t& size) override {
    size = bytes_.size();
    return true;
  }
  bool Seek(uint64_t offset) override {
    if (offset > bytes_.size()) return false;
    at_ = size_t(offset);
    return true;
  }
  bool Read(unsigned char* buffer, size_t length, size_t& done) override {
    done = std::min(length, bytes_.size() - at_);
    std::memcpy(buffer, bytes_.data() + at_, done);
    at_ += done;
    return true;
  }

 private:
  const std::vector<unsigned char>& bytes_;
  size_t at_ = 0;
};

class MemoryTarget : public ExtractTarget {
 public:
  explicit MemoryTarget(std::vector<ExtractedEntry>& entries) : entries_(entries) {}
  bool Create(const EntryPlacement& placement) override {
    entries_.push_back({placement, {}, {}});
    return true;
  }
  bool Write(const unsigned char* bytes, size_t length) override {
    entries_.back().data.insert(entries_.back().data.end(), bytes, bytes + length);
    return true;
  }
  bool Finish(const ArchiveTimes& times) override {
    entries_.back().times = times;
    return true;
  }

 private:
  std::vector<ExtractedEntry>& entries_;
};

}  // namespace

ExtractOutcome ExtractInMemory(const std::vector<unsigned char>& archive, std::vector<ExtractedEntry>& entries) {
  entries.clear();
  MemorySource source(archive);
  MemoryTarget target(entries);
  return ExtractArchive(source, target);
}
