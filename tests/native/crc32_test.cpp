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
