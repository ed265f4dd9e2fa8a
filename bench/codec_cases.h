#pragma once
// The inputs of the CRC-32 and decoder comparisons, made the same way in the
// native and the Windows benchmark: a 64 MiB buffer for the CRC-32, and for
// the decoders the same bytes packed by pkgtool's encoder and by zlib at
// level 9 (what gzip -9 writes, without the gzip wrapper).
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue_text.h"
#include "pack.h"
#include "package/depack.h"
#include "sample_data.h"

constexpr size_t kCrcBufferSize = 64u << 20;

struct CodecCase {
  const char* name;
  std::vector<unsigned char> plain;
  std::vector<unsigned char> packed;   // our stream, as Depack reads it
  std::vector<unsigned char> deflated; // zlib stream, level 9
};

inline std::vector<unsigned char> DeflateBest(const std::vector<unsigned char>& plain) {
  uLongf size = compressBound(uLong(plain.size()));
  std::vector<unsigned char> out(size);
  if (compress2(out.data(), &size, plain.data(), uLong(plain.size()), 9) != Z_OK) std::abort();
  out.resize(size);
  return out;
}

inline CodecCase MakeCodecCase(const char* name, std::vector<unsigned char> plain) {
  CodecCase c{name, std::move(plain), {}, {}};
  c.packed = PackStream(c.plain.data(), c.plain.size());
  c.deflated = DeflateBest(c.plain);
  return c;
}

// Product-binary-like bytes, and a catalogue text (what the runner really
// unpacks).
inline std::vector<CodecCase> MakeCodecCases() {
  std::vector<CodecCase> cases;
  cases.push_back(MakeCodecCase("binary 8 MiB", SampleData(7).Make(8u << 20)));
  const std::string text = MakeCatalogueText(10000);
  cases.push_back(MakeCodecCase("catalogue of 10000 items", std::vector<unsigned char>(text.begin(), text.end())));
  return cases;
}

// Both decoders must give back the plain bytes, or the timing means nothing.
inline size_t DepackCase(const CodecCase& c, std::vector<unsigned char>& out) {
  return Depack(c.packed.data(), c.packed.size(), out.data(), out.size()).written;
}

inline size_t InflateCase(const CodecCase& c, std::vector<unsigned char>& out) {
  uLongf size = uLongf(out.size());
  if (uncompress(out.data(), &size, c.deflated.data(), uLong(c.deflated.size())) != Z_OK) return 0;
  return size;
}

inline void CheckCodecCase(const CodecCase& c) {
  std::vector<unsigned char> out(c.plain.size());
  if (DepackCase(c, out) != c.plain.size() || out != c.plain || InflateCase(c, out) != c.plain.size() ||
      out != c.plain) {
    std::fprintf(stderr, "%s: a decoder did not give back the input\n", c.name);
    std::abort();
  }
}
