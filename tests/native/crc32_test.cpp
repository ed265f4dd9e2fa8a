#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/crc32.h"

namespace {

// The table-driven loop takes sixteen bytes per step and the rest one by
// one: every length and start around those steps, in one call and in two,
// must agree with the definition, one bit at a time.
TEST(Crc32, AgreesWithTheBitwiseDefinitionAtEveryLengthAlignmentAndSplit) {
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
    for (size_t length = 0; length + start <= 120; ++length) {
      const unsigned char* p = data.data() + start;
      const uint32_t expected = bitwise(p, length);
      ASSERT_EQ(Crc32Update(0, p, length), expected) << "start " << start << ", length " << length;
      ASSERT_EQ(Crc32Update(Crc32Update(0, p, length / 3), p + length / 3, length - length / 3), expected)
          << "start " << start << ", length " << length << " in two calls";
    }
  EXPECT_EQ(Crc32Update(0, nullptr, 5), 0u);
}

TEST(CrcFromText, ReadsLikeAtoiWithWrapAround) {
  const std::pair<const char*, uint32_t> cases[] = {
      {"4294967295", 0xFFFFFFFFu}, {"-1", 0xFFFFFFFFu}, {"891568578", 891568578u}, {" \t+42xyz", 42u},
      {"-891568578", 0u - 891568578u}, {"4294967296", 0u}, {"A123", 0u}, {"- 5", 0u}, {"", 0u}, {nullptr, 0u}};
  for (const auto& [text, crc] : cases) EXPECT_EQ(CrcFromText(text), crc) << (text ? text : "null");
}

}  // namespace
