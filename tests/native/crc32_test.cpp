#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/crc32.h"

namespace {

TEST(Crc32, KnownValues) {
  EXPECT_EQ(Crc32Update(0, "abc", 3), 891568578u);
  EXPECT_EQ(Crc32Update(0, "", 0), 0u);
  EXPECT_EQ(Crc32Update(0, nullptr, 5), 0u);
  EXPECT_EQ(Crc32Update(0, "123456789", 9), 0xCBF43926u);
}

TEST(Crc32, PiecesGiveTheSameResultAsOneCall) {
  std::mt19937 rng(11);
  std::vector<unsigned char> data(10007);
  for (auto& b : data) b = static_cast<unsigned char>(rng());
  const uint32_t whole = Crc32Update(0, data.data(), data.size());
  for (size_t piece : {1u, 3u, 7u, 8u, 9u, 4096u}) {
    uint32_t crc = 0;
    for (size_t at = 0; at < data.size(); at += piece)
      crc = Crc32Update(crc, data.data() + at, std::min(piece, data.size() - at));
    EXPECT_EQ(crc, whole) << "piece " << piece;
  }
}

// The table-driven loop takes sixteen bytes per step and the rest one by
// one: every length and start around those steps must agree with the
// definition, one bit at a time.
TEST(Crc32, AgreesWithTheBitwiseDefinitionAtEveryLengthAndAlignment) {
  auto bitwise = [](const unsigned char* p, size_t n) {
    uint32_t r = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
      r ^= p[i];
      for (int bit = 0; bit < 8; ++bit) r = (r >> 1) ^ ((r & 1u) ? 0xEDB88320u : 0u);
    }
    return ~r;
  };
  std::mt19937 rng(5);
  std::vector<unsigned char> data(200);
  for (auto& b : data) b = static_cast<unsigned char>(rng());
  for (size_t start = 0; start < 16; ++start)
    for (size_t length = 0; length + start <= 120; ++length)
      ASSERT_EQ(Crc32Update(0, data.data() + start, length), bitwise(data.data() + start, length))
          << "start " << start << ", length " << length;
}

TEST(CrcFromText, ReadsLikeAtoiWithWrapAround) {
  EXPECT_EQ(CrcFromText("4294967295"), 0xFFFFFFFFu);
  EXPECT_EQ(CrcFromText("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(CrcFromText("891568578"), 891568578u);
  EXPECT_EQ(CrcFromText(" \t+42xyz"), 42u);
  EXPECT_EQ(CrcFromText("-891568578"), 0u - 891568578u);
  EXPECT_EQ(CrcFromText("4294967296"), 0u);
  EXPECT_EQ(CrcFromText("A123"), 0u);
  EXPECT_EQ(CrcFromText("- 5"), 0u);
  EXPECT_EQ(CrcFromText(""), 0u);
  EXPECT_EQ(CrcFromText(nullptr), 0u);
}

}  // namespace
