#pragma once
// Optimal parse of the input into blocks of the packed stream: a shortest-path
// search over positions with the exact bit cost of every block. Each position
// keeps a few cheapest paths that differ in their last offset, so that repeat
// blocks (which reuse it) are found after literals. The search runs over
// segments of the input so that its memory stays bounded.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "match_finder.h"
#include "pack_costs.h"

struct Token {
  TokenKind kind;
  uint32_t length;  // bytes produced
  uint32_t offset;  // back reference; SingleByte: distance, 0 for a zero byte
};

struct ParseLimits {
  MatchLimits match;
  uint32_t states = 4;             // paths kept per position (1..4)
  uint32_t allLengthsUpTo = 64;    // longer matches are also tried at full length only
  uint32_t segment = 1u << 20;     // positions searched before the path is fixed
};

// Receives the blocks after the first byte, in stream order.
using TokenSink = std::function<void(const Token&)>;

// Parses `data` and returns the size of the whole stream in bits, first byte
// and end marker included.
uint64_t ParseOptimal(const unsigned char* data, size_t size, const ParseLimits& limits,
                      const TokenSink& sink);
