#pragma once
// Packing: our encoder for the packed-file format. Only pkgtool packs; the
// runner only unpacks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "optimal_parse.h"

// Compresses `data` into a stream that Depack expands back to it. A stream
// always begins with a literal, so empty input gives an empty result.
// `stats`, when given, receives what went into the stream.
struct PackStats {
  uint64_t plannedBits = 0;  // the parse's cost of the stream
  uint64_t writtenBits = 0;  // bits actually written; equal to the plan
  uint64_t blocks[5] = {};   // blocks written, by TokenKind
};
std::vector<unsigned char> PackStream(const unsigned char* data, size_t size,
                                      const ParseLimits& limits = {}, PackStats* stats = nullptr);

// A whole packed file: our header followed by the stream. Besides the two
// fields the runner reads, the header carries a magic text and the CRC-32 of
// the unpacked content so that pkgtool can verify what it unpacks. Empty when
// `size` is 0 or does not fit the 32-bit size field.
std::vector<unsigned char> PackImage(const unsigned char* data, size_t size);

struct OwnHeader {
  bool present = false;  // magic found: the file was packed by pkgtool
  uint32_t crc = 0;      // CRC-32 of the unpacked content
};
OwnHeader ReadOwnHeader(const unsigned char* file, size_t size);
