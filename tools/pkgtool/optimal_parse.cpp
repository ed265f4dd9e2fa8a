#include "optimal_parse.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr uint32_t kUnreached = std::numeric_limits<uint32_t>::max();
constexpr uint32_t kNoOffset = std::numeric_limits<uint32_t>::max();
constexpr uint32_t kMaxStates = 4;
// Longer matches are split; a split costs a few bits per 64 KiB.
constexpr uint32_t kMaxTokenLength = 1u << 16;
// A node's link packs how it was reached: length, block kind, previous state.
constexpr uint32_t kLengthBits = 24;

struct Node {
  uint32_t cost = kUnreached;       // bits since the start of the segment
  uint32_t lastOffset = kNoOffset;  // 0: none set yet
  uint32_t link = 0;
};

uint32_t Link(TokenKind kind, uint32_t length, uint32_t fromState) {
  return length | (uint32_t(kind) << kLengthBits) | (fromState << (kLengthBits + 3));
}
uint32_t LinkLength(uint32_t link) { return link & ((1u << kLengthBits) - 1); }
TokenKind LinkKind(uint32_t link) { return TokenKind((link >> kLengthBits) & 7u); }
uint32_t LinkState(uint32_t link) { return link >> (kLengthBits + 3); }

// Distance of the single-byte block for data[pos]: 0 for a zero byte, else the
// nearest equal byte within reach; -1 when there is none.
int SingleByteDistance(const unsigned char* data, uint32_t pos) {
  if (data[pos] == 0) return 0;
  uint32_t reach = std::min(pos, kMaxSingleByteDistance);
  for (uint32_t k = 1; k <= reach; ++k)
    if (data[pos - k] == data[pos]) return int(k);
  return -1;
}

class Search {
 public:
  Search(const unsigned char* data, uint32_t size, const ParseLimits& limits, const TokenSink& sink);
  uint64_t Run();

 private:
  Node* At(uint32_t pos) { return &nodes_[size_t(pos - segmentStart_) * states_]; }
  uint32_t Cheapest(uint32_t pos);
  void Relax(uint32_t to, uint32_t cost, uint32_t lastOffset, uint32_t link);
  // Offers lengths lo..hi; lengths past allLengths_ only at hi.
  template <typename CostFn>
  void RelaxLengths(uint32_t pos, uint32_t lo, uint32_t hi, uint32_t base, uint32_t lastOffset,
                    TokenKind kind, uint32_t fromState, CostFn cost);
  void Expand(uint32_t pos, const std::vector<Match>& matches);
  void TakeWhole(uint32_t pos, const Match& match);
  // Fixes the cheapest path to `pos`, hands its blocks to the sink and starts
  // a new segment there. Returns the path's cost.
  uint32_t Settle(uint32_t pos);

  const unsigned char* data_;
  uint32_t size_;
  uint32_t states_;
  uint32_t allLengths_;
  uint32_t segment_;
  MatchLimits limits_;
  const TokenSink& sink_;
  std::vector<Node> nodes_;
  uint32_t segmentStart_ = 1;
  std::vector<Token> trace_;
};

Search::Search(const unsigned char* data, uint32_t size, const ParseLimits& limits, const TokenSink& sink)
    : data_(data), size_(size), states_(std::clamp<uint32_t>(limits.states, 1, kMaxStates)),
      allLengths_(std::max<uint32_t>(limits.allLengthsUpTo, 4)),
      segment_(std::max<uint32_t>(limits.segment, 1)), limits_(limits.match), sink_(sink) {
  limits_.maxLength = std::min(limits_.maxLength, kMaxTokenLength);
  limits_.niceLength = std::min(limits_.niceLength, limits_.maxLength);
  size_t span = std::min<size_t>(size_t(segment_) + kMaxTokenLength, size) + 1;
  nodes_.resize(span * states_);
}

uint32_t Search::Cheapest(uint32_t pos) {
  Node* here = At(pos);
  uint32_t best = 0;
  for (uint32_t s = 1; s < states_; ++s)
    if (here[s].cost < here[best].cost) best = s;
  return best;
}

void Search::Relax(uint32_t to, uint32_t cost, uint32_t lastOffset, uint32_t link) {
  Node* slots = At(to);
  Node* worst = slots;
  for (uint32_t k = 0; k < states_; ++k) {
    if (slots[k].lastOffset == lastOffset) {
      if (cost < slots[k].cost) slots[k] = {cost, lastOffset, link};
      return;
    }
    if (slots[k].cost > worst->cost) worst = &slots[k];
  }
  if (cost < worst->cost) *worst = {cost, lastOffset, link};
}

template <typename CostFn>
void Search::RelaxLengths(uint32_t pos, uint32_t lo, uint32_t hi, uint32_t base, uint32_t lastOffset,
                          TokenKind kind, uint32_t fromState, CostFn cost) {
  uint32_t top = std::min(hi, allLengths_);
  for (uint32_t length = lo; length <= top; ++length)
    Relax(pos + length, base + cost(length), lastOffset, Link(kind, length, fromState));
  if (hi > top && hi >= lo) Relax(pos + hi, base + cost(hi), lastOffset, Link(kind, hi, fromState));
}

void Search::Expand(uint32_t pos, const std::vector<Match>& matches) {
  Node* here = At(pos);
  int single = SingleByteDistance(data_, pos);
  for (uint32_t s = 0; s < states_; ++s) {
    const Node& node = here[s];
    if (node.cost == kUnreached) continue;
    if (single >= 0)
      Relax(pos + 1, node.cost + kSingleByteBits, node.lastOffset, Link(TokenKind::SingleByte, 1, s));
    else
      Relax(pos + 1, node.cost + kLiteralBits, node.lastOffset, Link(TokenKind::Literal, 1, s));
    uint32_t offset = node.lastOffset;
    if (offset != 0 && offset <= pos) {
      uint32_t length = CommonLength(data_ + pos, data_ + pos - offset,
                                     std::min(size_ - pos, limits_.maxLength));
      if (length >= 2)
        RelaxLengths(pos, 2, length, node.cost, offset, TokenKind::Repeat, s, RepeatBits);
    }
  }

  // Short and long blocks set a new last offset, so only the cheapest path
  // into this position matters for them. Matches come by growing length and
  // offset; a nearer offset is never dearer, so each serves only the lengths
  // that the nearer ones cannot reach.
  const uint32_t best = Cheapest(pos);
  const uint32_t base = here[best].cost;
  uint32_t covered = 1;
  for (const Match& m : matches) {
    uint32_t offset = m.offset;
    if (offset <= kMaxShortOffset) {
      for (uint32_t length = std::max(covered + 1, 2u); length <= std::min(m.length, 3u); ++length)
        Relax(pos + length, base + kShortBits, offset, Link(TokenKind::Short, length, best));
    }
    uint32_t lo = std::max(covered + 1, LongMinLength(offset));
    RelaxLengths(pos, lo, m.length, base, offset, TokenKind::Long, best,
                 [offset](uint32_t length) { return LongBits(offset, length); });
    covered = std::max(covered, m.length);
  }
}

void Search::TakeWhole(uint32_t pos, const Match& match) {
  uint32_t best = Cheapest(pos);
  const Node& node = At(pos)[best];
  bool repeat = node.lastOffset == match.offset;
  uint32_t cost = repeat ? RepeatBits(match.length) : LongBits(match.offset, match.length);
  Relax(pos + match.length, node.cost + cost, match.offset,
        Link(repeat ? TokenKind::Repeat : TokenKind::Long, match.length, best));
}

uint32_t Search::Settle(uint32_t pos) {
  uint32_t state = Cheapest(pos);
  const Node settled = At(pos)[state];
  trace_.clear();
  for (uint32_t at = pos; at > segmentStart_;) {
    const Node& node = At(at)[state];
    uint32_t length = LinkLength(node.link);
    TokenKind kind = LinkKind(node.link);
    at -= length;
    uint32_t offset = node.lastOffset;
    if (kind == TokenKind::Literal) offset = 0;
    if (kind == TokenKind::SingleByte) offset = uint32_t(SingleByteDistance(data_, at));
    trace_.push_back({kind, length, offset});
    state = LinkState(node.link);
  }
  for (auto it = trace_.rbegin(); it != trace_.rend(); ++it) sink_(*it);

  std::fill(nodes_.begin(), nodes_.end(), Node{});
  segmentStart_ = pos;
  At(pos)[0] = {0, settled.lastOffset, 0};
  return settled.cost;
}

uint64_t Search::Run() {
  MatchFinder finder(data_, size_, limits_);
  finder.Skip(0);
  At(1)[0] = {0, 0, 0};
  uint64_t bits = kFirstLiteralBits + kEndMarkerBits;
  std::vector<Match> matches;
  uint32_t pos = 1;
  while (pos < size_) {
    if (pos - segmentStart_ >= segment_) bits += Settle(pos);
    finder.Find(pos, matches);
    // A very long match is taken as it stands: searching inside it costs time
    // and gains next to nothing.
    if (!matches.empty() && matches.back().length >= limits_.niceLength) {
      const Match whole = matches.back();
      TakeWhole(pos, whole);
      for (uint32_t skip = pos + 1; skip < pos + whole.length; ++skip) finder.Skip(skip);
      pos += whole.length;
      continue;
    }
    Expand(pos, matches);
    ++pos;
  }
  return bits + Settle(size_);
}

}  // namespace

uint64_t ParseOptimal(const unsigned char* data, size_t size, const ParseLimits& limits,
                      const TokenSink& sink) {
  if (size == 0) return 0;
  return Search(data, static_cast<uint32_t>(size), limits, sink).Run();
}
