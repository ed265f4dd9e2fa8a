#pragma once
// ByteSource over an open file.
#include "engine/byte_source.h"
#include "platform/file_win.h"

class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(FileHandle& file) : file_(file) {}
  std::string ReadAt(uint64_t offset, size_t length) override;

 private:
  FileHandle& file_;
};
