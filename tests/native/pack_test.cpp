// Encoder tests: everything packed must unpack to itself, the parse's planned
// size must be what is written, and the encoder must use the format well.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pack.h"
#include "package/depack.h"
#include "stream_writer.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes FromText(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<unsigned char>(rng());
  return b;
}

// Catalogue-like text: many sections of the same keys with varied values.
Bytes CatalogueText(int items, unsigned seed) {
  std::mt19937 rng(seed);
  const char* dirs[] = {"%PROGRAMDIR%", "%SYSTEMDIR%", "%WINDIR%"};
  const char* exts[] = {".EXE", ".DLL", ".DAT", ".SYS"};
  std::string text = "[COMMENT]\r\nPacketType=0\r\n\r\n";
  for (int i = 0; i < items; ++i) {
    std::string name = "ZM" + std::to_string(rng() % 100000) + exts[rng() % 4];
    text += "[" + name + "]\r\nFileName=" + name + "\r\nLocalPath=" + dirs[rng() % 3] +
            "\r\nCRC=" + std::to_string(rng()) + "\r\nCheckVersionMethod=" + std::to_string(rng() % 5) +
            "\r\nTypeId=1\r\nCallBy=" + (rng() % 2 ? name : std::string("ZMTMAIN.EXE")) + "\r\n\r\n";
  }
  return FromText(text);
}

// Packs, checks the plan against what was written, unpacks and compares.
// Returns the stream.
Bytes RoundTrip(const Bytes& input, const ParseLimits& limits = {}, PackStats* stats = nullptr) {
  PackStats local;
  PackStats& s = stats ? *stats : local;
  Bytes stream = PackStream(input.data(), input.size(), limits, &s);
  EXPECT_EQ(s.plannedBits, s.writtenBits);
  EXPECT_LE(stream.size(), s.writtenBits / 8 + 1);

  Bytes out(input.size());
  DepackResult r = Depack(stream.data(), stream.size(), out.data(), out.size());
  EXPECT_TRUE(r.ok()) << DepackStatusText(r.status);
  EXPECT_EQ(r.written, input.size());
  EXPECT_TRUE(out == input);
  return stream;
}

TEST(Pack, RoundTripsSmallAndTypicalInputs) {
  const Bytes inputs[] = {{'Q'}, {0, 0}, FromText("abcabcabcabcX"), CatalogueText(100, 1),
                          RandomBytes(64 * 1024, 2)};
  for (const Bytes& input : inputs) {
    RoundTrip(input);
    Bytes image = PackImage(input.data(), input.size());
    Bytes unpacked;
    EXPECT_TRUE(UnpackImage(image.data(), image.size(), unpacked).ok());
    EXPECT_TRUE(unpacked == input);
  }
}

TEST(Pack, RandomDataGrowsByNoMoreThanTheLiteralFlags) {
  Bytes input = RandomBytes(100000, 3);
  Bytes stream = RoundTrip(input);
  EXPECT_LE(stream.size(), input.size() * 9 / 8 + 4);
}

TEST(Pack, HighlyRepetitiveInputShrinksToAFewBytes) {
  EXPECT_LT(RoundTrip(Bytes(1 << 20, 0)).size(), 120u);
  Bytes pattern;
  for (int i = 0; i < 200000; ++i) pattern.push_back("ZMT9X"[i % 5]);
  EXPECT_LT(RoundTrip(pattern).size(), 64u);
}

TEST(Pack, CatalogueTextUsesEveryKindOfBlock) {
  PackStats stats;
  Bytes input = CatalogueText(2000, 4);
  Bytes stream = RoundTrip(input, {}, &stats);
  for (int kind = 0; kind < 5; ++kind) EXPECT_GT(stats.blocks[kind], 0u) << "block kind " << kind;
  EXPECT_LT(stream.size(), input.size() / 3);
}

TEST(Pack, RepeatBlockFollowsTheLiteralThatBrokeAMatch) {
  // The same phrase three times, separated by single bytes: the third copy is
  // a repeat block at the offset of the second.
  Bytes phrase = RandomBytes(40, 5);
  Bytes input = phrase;
  input.push_back('1');
  input.insert(input.end(), phrase.begin(), phrase.end());
  input.push_back('2');
  input.insert(input.end(), phrase.begin(), phrase.end());
  PackStats stats;
  RoundTrip(input, {}, &stats);
  EXPECT_EQ(stats.blocks[size_t(TokenKind::Long)], 1u);
  EXPECT_EQ(stats.blocks[size_t(TokenKind::Repeat)], 1u);
}

TEST(Pack, SmallSegmentsAndWindowStillRoundTrip) {
  ParseLimits tight;
  tight.segment = 1000;
  tight.match.maxOffset = 4096;
  tight.match.depth = 4;
  tight.states = 1;
  Bytes text = CatalogueText(1500, 6);
  RoundTrip(text, tight);
  Bytes zeros(300000, 0);
  RoundTrip(zeros, tight);
}

TEST(Pack, TenMebibytesRoundTrip) {
  Bytes input = CatalogueText(60000, 7);
  Bytes noise = RandomBytes(2 << 20, 8);
  input.insert(input.end(), noise.begin(), noise.end());
  input.resize(10 << 20, 'x');
  RoundTrip(input);
}

TEST(Pack, EmptyInputGivesNoStream) {
  EXPECT_TRUE(PackStream(nullptr, 0).empty());
  EXPECT_TRUE(PackImage(nullptr, 0).empty());
}

TEST(Pack, ImageCarriesMagicAndContentCrc) {
  Bytes input = FromText("abc");
  Bytes image = PackImage(input.data(), input.size());
  OwnHeader own = ReadOwnHeader(image.data(), image.size());
  EXPECT_TRUE(own.present);
  EXPECT_EQ(own.crc, 0x352441C2u);
  image[0] ^= 1;
  EXPECT_FALSE(ReadOwnHeader(image.data(), image.size()).present);
}

// The writer against the hand-spelled bits of the decoder tests.
TEST(StreamWriter, PlacesTagBytesWhereTheDecoderFetchesThem) {
  StreamWriter writer('x');
  writer.Long(1, 4);
  EXPECT_EQ(writer.Finish(), (Bytes{'x', 0xA3, 0x01, 0x00, 0x00}));
}

}  // namespace
