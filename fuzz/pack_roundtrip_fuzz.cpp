// Packs arbitrary bytes with varied encoder limits (paths kept, segment and
// window sizes, so that segment ends and window wrap-around are reached on
// small inputs) and checks that the stream unpacks to them and costs what the
// parse planned.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "pack.h"
#include "package/depack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t knobs = data[0];
  ++data;
  --size;
  ParseLimits limits;
  limits.states = 1 + (knobs & 3);
  if (knobs & 4) limits.segment = 1 + (knobs >> 4) * 37;
  if (knobs & 8) limits.match.maxOffset = 64u << (knobs >> 5);
  limits.match.niceLength = (knobs & 0x10) ? 8 : 256;

  PackStats stats;
  std::vector<unsigned char> stream = PackStream(data, size, limits, &stats);
  if (stats.plannedBits != stats.writtenBits) __builtin_trap();
  std::vector<unsigned char> out(size);
  DepackResult r = Depack(stream.data(), stream.size(), out.data(), out.size());
  if (!r.ok() || r.written != size || std::memcmp(out.data(), data, size) != 0) __builtin_trap();
  return 0;
}
