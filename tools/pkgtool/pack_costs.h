#pragma once
// Exact sizes, in bits, of the blocks of the packed stream. The parser adds
// these up; the writer emits exactly these bits, so a path's cost is the
// stream's size.
#include <bit>
#include <cstdint>

#include "package/depack.h"

enum class TokenKind : uint8_t {
  Literal,     // flag 0 + 8-bit byte
  SingleByte,  // flags 111 + 4-bit distance 1..15 (0 writes a zero byte)
  Short,       // flags 110 + byte: offset 1..127, length 2 or 3
  Long,        // flags 10 + gamma(high offset + 3) + low byte + gamma(length - bonus)
  Repeat,      // flags 10 + gamma(2) + gamma(length), at the last offset
};

constexpr uint32_t kLiteralBits = 9;
constexpr uint32_t kSingleByteBits = 7;
constexpr uint32_t kShortBits = 11;
constexpr uint32_t kEndMarkerBits = 11;
constexpr uint32_t kFirstLiteralBits = 8;
constexpr uint32_t kMaxShortOffset = 127;
constexpr uint32_t kMaxSingleByteDistance = 15;

// Interleaved gamma code of v >= 2: two bits per binary digit after the leading 1.
inline uint32_t GammaBits(uint32_t v) { return 2 * (uint32_t(std::bit_width(v)) - 1); }

inline uint32_t LongMinLength(uint32_t offset) { return 2 + LongLengthBonus(offset); }

inline uint32_t LongBits(uint32_t offset, uint32_t length) {
  return 2 + GammaBits((offset >> 8) + 3) + 8 + GammaBits(length - LongLengthBonus(offset));
}

inline uint32_t RepeatBits(uint32_t length) { return 2 + GammaBits(2) + GammaBits(length); }
