#include "match_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

uint32_t Hash3(const unsigned char* p, int bits) {
  uint32_t v = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
  return (v * 2654435761u) >> (32 - bits);
}

}  // namespace

uint32_t CommonLength(const unsigned char* a, const unsigned char* b, uint32_t limit) {
  uint32_t n = 0;
  while (n + 8 <= limit) {
    uint64_t x, y;
    std::memcpy(&x, a + n, 8);
    std::memcpy(&y, b + n, 8);
    if (uint64_t diff = x ^ y) {
      if constexpr (std::endian::native == std::endian::little)
        return n + uint32_t(std::countr_zero(diff)) / 8;
      else
        return n + uint32_t(std::countl_zero(diff)) / 8;
    }
    n += 8;
  }
  while (n < limit && a[n] == b[n]) ++n;
  return n;
}

MatchFinder::MatchFinder(const unsigned char* data, size_t size, const MatchLimits& limits)
    : data_(data), size_(static_cast<uint32_t>(size)), limits_(limits) {
  uint32_t window = std::bit_ceil(std::max<uint32_t>(std::min<uint32_t>(limits.maxOffset, size_), 2));
  limits_.maxOffset = std::min(limits_.maxOffset, window - 1);
  limits_.niceLength = std::clamp<uint32_t>(limits_.niceLength, 3, limits_.maxLength);
  windowMask_ = window - 1;
  // Small inputs get small tables: setting them up would cost more than the search.
  hashBits_ = std::clamp(int(std::bit_width(size_)), 8, 17);
  head_.assign(size_t(1) << hashBits_, 0);
  tree_.assign(size_t(window) * 2, 0);
  pair_.assign(65536, 0);
}

void MatchFinder::Skip(uint32_t pos) {
  if (pos + 1 < size_) pair_[data_[pos] | (data_[pos + 1] << 8)] = pos + 1;
  if (pos + 2 < size_) Walk(pos, nullptr, 0);
}

void MatchFinder::Find(uint32_t pos, std::vector<Match>& out) {
  out.clear();
  if (pos + 1 >= size_) return;
  const unsigned char* here = data_ + pos;
  uint32_t limit = std::min(limits_.maxLength, size_ - pos);
  uint32_t best = 1;

  // The nearest two-byte occurrence: length 2 pays off only close by, where
  // the nearest is the cheapest. Longer matches there are reported too.
  uint32_t& pairSlot = pair_[here[0] | (here[1] << 8)];
  if (pairSlot != 0 && pos - (pairSlot - 1) <= limits_.maxOffset) {
    uint32_t candidate = pairSlot - 1;
    best = CommonLength(here, data_ + candidate, limit);
    out.push_back({best, pos - candidate});
  }
  pairSlot = pos + 1;
  if (pos + 2 < size_) Walk(pos, &out, best);
}

void MatchFinder::Walk(uint32_t pos, std::vector<Match>* out, uint32_t best) {
  const unsigned char* here = data_ + pos;
  // Tree order is decided on at most niceLength bytes; a node equal that far
  // is replaced by the new position.
  const uint32_t limit = std::min(limits_.niceLength, size_ - pos);
  uint32_t& root = head_[Hash3(here, hashBits_)];
  uint32_t next = root;
  root = pos + 1;

  uint32_t* smaller = &tree_[size_t(pos & windowMask_) * 2];  // where the next smaller node goes
  uint32_t* larger = smaller + 1;
  uint32_t smallerLength = 0, largerLength = 0;  // bytes known equal on each side
  for (uint32_t depth = limits_.depth; next != 0; --depth) {
    uint32_t candidate = next - 1;
    uint32_t offset = pos - candidate;
    if (depth == 0 || offset > limits_.maxOffset) break;
    uint32_t* children = &tree_[size_t(candidate & windowMask_) * 2];
    const unsigned char* there = data_ + candidate;
    uint32_t known = std::min(smallerLength, largerLength);
    uint32_t length = known + CommonLength(here + known, there + known, limit - known);
    if (out && length > best) {
      best = length;
      if (length == limit) length = CommonLength(here, there, std::min(limits_.maxLength, size_ - pos));
      out->push_back({length, offset});
    }
    if (length >= limit) {
      *smaller = children[0];
      *larger = children[1];
      return;
    }
    if (there[length] < here[length]) {
      *smaller = next;
      smaller = &children[1];
      next = *smaller;
      smallerLength = length;
    } else {
      *larger = next;
      larger = &children[0];
      next = *larger;
      largerLength = length;
    }
  }
  *smaller = 0;
  *larger = 0;
}
