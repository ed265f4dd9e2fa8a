#pragma once
// ByteSource over bytes already in memory; the bytes must outlive it.
#include <string>
#include <string_view>

#include "engine/byte_source.h"

class MemoryByteSource : public ByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
  std::string ReadAt(uint64_t offset, size_t length) override {
    return offset >= bytes_.size() ? std::string() : std::string(bytes_.substr(size_t(offset), length));
  }

 private:
  std::string_view bytes_;
};
