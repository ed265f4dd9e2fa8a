#pragma once
// Random-access reads over a file's bytes, so that format readers can be run
// over a file on Windows and over bytes in memory alike.
#include <cstddef>
#include <cstdint>
#include <string>

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `length` bytes starting at `offset`; fewer (possibly none) past the
  // end of the data or after a read error.
  virtual std::string ReadAt(uint64_t offset, size_t length) = 0;
};
