// Feeds arbitrary bytes to the packed-file decoder, both as a whole packed
// file and as a bare stream into an output buffer of exact size, so that the
// sanitizers see any byte read or written outside the buffers. The output
// must not depend on the room given: the same stream decoded into a larger
// buffer writes the same bytes, and a stream that fitted still succeeds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "package/depack.h"

namespace {
constexpr uint32_t kMaxOutput = 1u << 20;  // keeps huge declared sizes from exhausting memory
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PackedHeader header;
  if (ReadPackedHeader(data, size, header) == DepackStatus::Ok && header.unpackedSize <= kMaxOutput) {
    std::vector<unsigned char> out;
    DepackResult r = UnpackImage(data, size, out);
    // Success gives exactly the declared size; failure gives nothing.
    if (r.ok() ? out.size() != header.unpackedSize : !out.empty()) __builtin_trap();
    if (r.written > header.unpackedSize) __builtin_trap();
  }
  if (size >= 2) {
    std::vector<unsigned char> out(size_t(data[0]) * 16);
    DepackResult r = Depack(data + 1, size - 1, out.data(), out.size());
    if (r.written > out.size()) __builtin_trap();
    std::vector<unsigned char> roomy(out.size() + 4096);
    DepackResult wide = Depack(data + 1, size - 1, roomy.data(), roomy.size());
    if (wide.written < r.written) __builtin_trap();
    if (r.written != 0 && std::memcmp(out.data(), roomy.data(), r.written) != 0) __builtin_trap();
    if (r.ok() && (!wide.ok() || wide.written != r.written)) __builtin_trap();
  }
  return 0;
}
