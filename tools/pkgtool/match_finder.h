#pragma once
// Finds earlier occurrences of the bytes at a position. Positions sharing a
// three-byte hash form a binary search tree ordered by their following bytes,
// with newer positions nearer the root; walking it from the root meets, for
// each length, the nearest occurrence that reaches it. Positions are fed
// strictly in order, each either searched (Find) or only recorded (Skip).
#include <cstddef>
#include <cstdint>
#include <vector>

struct Match {
  uint32_t length;
  uint32_t offset;
};

struct MatchLimits {
  uint32_t maxOffset = 1u << 20;  // how far back to look
  uint32_t depth = 64;            // tree nodes visited per position
  uint32_t maxLength = 1u << 16;  // longest match reported
  uint32_t niceLength = 256;      // stop searching once a match is this long
};

// Length of the common run of a[0..] and b[0..], at most `limit`.
uint32_t CommonLength(const unsigned char* a, const unsigned char* b, uint32_t limit);

class MatchFinder {
 public:
  MatchFinder(const unsigned char* data, size_t size, const MatchLimits& limits);

  // Fills `out` with the matches at `pos` by increasing length and offset:
  // each is the nearest occurrence that reaches its length.
  void Find(uint32_t pos, std::vector<Match>& out);
  void Skip(uint32_t pos);

 private:
  // Inserts `pos` as the new root of its tree; with `out`, also reports matches.
  void Walk(uint32_t pos, std::vector<Match>* out, uint32_t best);

  const unsigned char* data_;
  uint32_t size_;
  MatchLimits limits_;
  uint32_t windowMask_;
  int hashBits_;
  std::vector<uint32_t> head_;  // hash -> root position + 1 (0: empty)
  std::vector<uint32_t> tree_;  // position in window -> smaller, larger child + 1
  std::vector<uint32_t> pair_;  // two bytes -> last position + 1
};
