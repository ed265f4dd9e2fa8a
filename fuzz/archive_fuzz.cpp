// Fuzzes the package archive's header and record checks through a whole
// extraction into memory. Every entry that is accepted must land inside the
// destination: its output path splits into exactly the destination's levels,
// the accepted folders and the name, none of them "." or "..".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "package/archive_extraction.h"
#include "paths/path_ops.h"

namespace {

const std::string kDestination = "C:\\pkg\\files\\";

class BytesSource : public ArchiveSource {
 public:
  BytesSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Size(uint64_t& size) override {
    size = size_;
    return true;
  }
  bool Seek(uint64_t offset) override {
    at_ = offset;
    return true;
  }
  bool Read(unsigned char* buffer, size_t length, size_t& done) override {
    if (length > kArchiveChunkSize) std::abort();  // never more than one chunk at a time
    done = at_ >= size_ ? 0 : std::min<uint64_t>(length, size_ - at_);
    if (done) std::memcpy(buffer, data_ + at_, done);
    at_ += done;
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  uint64_t at_ = 0;
};

class CheckingTarget : public ExtractTarget {
 public:
  bool Create(const EntryPlacement& placement) override {
    std::string folder, file;
    if (!BuildEntryPaths(kDestination, placement, folder, file)) return false;
    std::vector<std::string> expected = SplitAtBackslashes(kDestination);
    expected.pop_back();  // the destination's trailing backslash
    expected.insert(expected.end(), placement.folders.begin(), placement.folders.end());
    expected.push_back(placement.name);
    if (SplitAtBackslashes(file) != expected) std::abort();
    for (size_t i = 3; i < expected.size(); ++i) {
      const std::string& level = expected[i];
      if (level.empty() || level == "." || level == ".." || level.find_first_of("/:") != std::string::npos) {
        std::abort();
      }
    }
    return true;
  }
  bool Write(const unsigned char*, size_t) override { return true; }
  bool Finish(const ArchiveTimes&) override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BytesSource source(data, size);
  CheckingTarget target;
  ExtractArchive(source, target);
  return 0;
}
