// CRC-32 and packed-stream decoding against zlib on the same bytes, natively:
// our Crc32Update against zlib's crc32 over 64 MiB, our Depack against zlib's
// inflate of the same data compressed at level 9. run-benchmarks.sh prints
// the ratios.
#include <benchmark/benchmark.h>

#include "codec_cases.h"
#include "engine/crc32.h"

namespace {

const std::vector<unsigned char>& CrcBuffer() {
  static const std::vector<unsigned char> buffer = SampleData(1).Make(kCrcBufferSize);
  return buffer;
}

void Crc32Ours(benchmark::State& state) {
  const auto& buffer = CrcBuffer();
  for (auto _ : state) benchmark::DoNotOptimize(Crc32Update(0, buffer.data(), buffer.size()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(buffer.size()));
}

void Crc32Zlib(benchmark::State& state) {
  const auto& buffer = CrcBuffer();
  if (crc32(0, buffer.data(), uInt(buffer.size())) != Crc32Update(0, buffer.data(), buffer.size()))
    state.SkipWithError("zlib and ours disagree");
  for (auto _ : state) benchmark::DoNotOptimize(crc32(0, buffer.data(), uInt(buffer.size())));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(buffer.size()));
}

const std::vector<CodecCase>& Cases() {
  static const std::vector<CodecCase> cases = [] {
    auto made = MakeCodecCases();
    for (const auto& c : made) CheckCodecCase(c);
    return made;
  }();
  return cases;
}

template <size_t (*Decode)(const CodecCase&, std::vector<unsigned char>&)>
void Decoder(benchmark::State& state) {
  const CodecCase& c = Cases()[size_t(state.range(0))];
  std::vector<unsigned char> out(c.plain.size());
  state.SetLabel(c.name);
  for (auto _ : state) benchmark::DoNotOptimize(Decode(c, out));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(c.plain.size()));
}

void DepackOurs(benchmark::State& state) { Decoder<DepackCase>(state); }
void InflateZlib(benchmark::State& state) { Decoder<InflateCase>(state); }

BENCHMARK(Crc32Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(Crc32Zlib)->Unit(benchmark::kMillisecond);
BENCHMARK(DepackOurs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(InflateZlib)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
