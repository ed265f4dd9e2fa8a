// The CRC-32 and decoder comparisons of codec_bench, in the 32-bit Windows
// build under Wine: our Crc32Update against zlib's crc32 over 64 MiB, our
// Depack against zlib's inflate (level 9 data). Prints MB/s and the ratios.
#include <cstdio>

#include "bench_timer_win.h"
#include "codec_cases.h"
#include "engine/crc32.h"

namespace {

constexpr int kRounds = 25;

double MegabytesPerSecond(size_t bytes, double seconds) { return double(bytes) / seconds / 1e6; }

void Report(const char* what, const char* ours, const char* theirs, size_t bytes, double oursSeconds,
            double theirsSeconds) {
  std::printf("%-34s %s %8.1f MB/s   %s %8.1f MB/s   ratio %.2f\n", what, ours,
              MegabytesPerSecond(bytes, oursSeconds), theirs, MegabytesPerSecond(bytes, theirsSeconds),
              theirsSeconds / oursSeconds);
}

}  // namespace

int main() {
  const std::vector<unsigned char> buffer = SampleData(1).Make(kCrcBufferSize);
  volatile uint32_t sink = 0;
  if (crc32(0, buffer.data(), uInt(buffer.size())) != Crc32Update(0, buffer.data(), buffer.size())) {
    std::fprintf(stderr, "zlib and our CRC-32 disagree\n");
    return 1;
  }
  double ours = 0, zlib = 0;
  BestOfAlternating(
      kRounds, [&] { sink = Crc32Update(0, buffer.data(), buffer.size()); },
      [&] { sink = crc32(0, buffer.data(), uInt(buffer.size())); }, ours, zlib);
  Report("CRC-32 64 MiB", "ours", "zlib crc32", buffer.size(), ours, zlib);

  for (const CodecCase& c : MakeCodecCases()) {
    CheckCodecCase(c);
    std::vector<unsigned char> out(c.plain.size());
    BestOfAlternating(
        kRounds, [&] { sink = uint32_t(DepackCase(c, out)); }, [&] { sink = uint32_t(InflateCase(c, out)); },
        ours, zlib);
    char what[64];
    std::snprintf(what, sizeof what, "decode %s", c.name);
    Report(what, "Depack", "inflate", c.plain.size(), ours, zlib);
  }
  (void)sink;
  return 0;
}
