// The packed stream: the decoder on streams built by hand from the format
// (flag bits spelled out, bytes placed where the decoder fetches them), the
// packed file's header, and the encoder (everything packed must unpack to
// itself, the parse's planned size must be what is written, and the encoder
// must use the format well).
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/little_endian.h"
#include "pack.h"
#include "package/depack.h"
#include "stream_writer.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A tag byte is taken from the stream when a flag bit is needed and the
// previous tag byte is used up; bytes go where they are written.
class HandStream {
 public:
  explicit HandStream(unsigned char first) { bytes.push_back(first); }
  HandStream& Bits(std::string_view bits) {
    for (char c : bits) {
      if (c == ' ') continue;
      if (free_ == 0) {
        tag_ = bytes.size();
        bytes.push_back(0);
        free_ = 8;
      }
      --free_;
      if (c == '1') bytes[tag_] |= static_cast<unsigned char>(1u << free_);
    }
    return *this;
  }
  HandStream& Byte(unsigned char b) {
    bytes.push_back(b);
    return *this;
  }
  HandStream& Literal(unsigned char b) { return Bits("0").Byte(b); }
  HandStream& End() { return Bits("110").Byte(0); }
  Bytes bytes;

 private:
  size_t tag_ = 0;
  int free_ = 0;
};

struct Decoded {
  DepackResult result;
  std::string text;
};

constexpr unsigned char kCanary = 0xEE;

// Decodes the first `exposed` bytes of `stream` into `outputSize` bytes. The
// bytes past `exposed` stay in memory (so a decoder that read them would
// succeed where it must fail), and canaries past the output catch stray writes.
Decoded Decode(const Bytes& stream, size_t outputSize, size_t exposed = SIZE_MAX) {
  exposed = std::min(exposed, stream.size());
  Bytes out(outputSize + 16, kCanary);
  Decoded d;
  d.result = Depack(stream.data(), exposed, out.data(), outputSize);
  for (size_t i = outputSize; i < out.size(); ++i) EXPECT_EQ(out[i], kCanary) << "write past the output at " << i;
  EXPECT_LE(d.result.written, outputSize);
  d.text.assign(out.begin(), out.begin() + std::min(d.result.written, outputSize));
  return d;
}

TEST(Depack, EveryBlockKind) {
  const struct {
    const char* what;
    Bytes stream;
    size_t size;
    std::string text;
  } cases[] = {
      {"one literal, end marker", {'A', 0xC0, 0x00}, 1, "A"},
      // 10, gamma 3 (offset high part 0), low byte 1, gamma 2 (+2 for offset <= 127), end.
      {"long block, offset 1, length 4", {'x', 0xA3, 0x01, 0x00, 0x00}, 5, "xxxxx"},
      {"single bytes: zero or a near byte",
       HandStream('a').Bits("111 0000").Bits("111 0010").Bits("111 0001").End().bytes, 4, std::string("a\0aa", 4)},
      // Offset 2 length 3 runs into the bytes it writes; offset 1 length 2.
      {"short blocks", HandStream('a').Literal('b').Bits("110").Byte(2 << 1 | 1).Bits("110").Byte(1 << 1).End().bytes,
       7, "ababaaa"},
      {"repeat block keeps the last offset across literals and single bytes",
       HandStream('a')
           .Literal('b')
           .Literal('c')
           .Bits("110").Byte(3 << 1 | 1)  // abc abc
           .Literal('X')
           .Bits("111 0100")              // single byte 4 back: a
           .Bits("10 00 10")              // repeat, gamma length 3, offset 3
           .End()
           .bytes,
       11, "abcabcXacXa"},
  };
  for (const auto& c : cases) {
    Decoded d = Decode(c.stream, c.size);
    EXPECT_TRUE(d.result.ok()) << c.what;
    EXPECT_EQ(d.text, c.text) << c.what;
  }
}

// Long blocks add a length bonus that depends on the offset.
TEST(Depack, LongBlockLengthBonusDependsOnOffset) {
  struct Case {
    uint32_t offset;
    const char* gammaHigh;  // gamma of (offset >> 8) + 3
    uint32_t bonus;
  };
  const Case cases[] = {
      {127, "10", 2},   {128, "10", 0},    {1279, "1110", 0},
      {1280, "010100", 1}, {31999, "111111111110", 1}, {32000, "01010101010100", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    const uint32_t history = c.offset + 5;
    auto at = [](uint32_t i) { return static_cast<unsigned char>(i * 7 % 251); };
    HandStream s(at(0));
    for (uint32_t i = 1; i < history; ++i) s.Literal(at(i));
    s.Bits("10").Bits(c.gammaHigh).Byte(c.offset & 0xFF).Bits("00").End();  // gamma length 2

    Decoded d = Decode(s.bytes, history + 2 + c.bonus);
    ASSERT_TRUE(d.result.ok());
    ASSERT_EQ(d.result.written, history + 2 + c.bonus);
    for (uint32_t k = 0; k < 2 + c.bonus; ++k)
      EXPECT_EQ(static_cast<unsigned char>(d.text[history + k]), at(history - c.offset + k)) << k;
  }
}

// A stream that stops early fails at every cut, even though the bytes that
// would complete it lie right behind the exposed part.
TEST(DepackRejects, EveryTruncation) {
  Bytes s = HandStream('a')
                .Literal('b')
                .Bits("110").Byte(2 << 1 | 1)
                .Bits("10 00 0100")  // repeat, length 4
                .Bits("10 10").Byte(3).Bits("00")
                .Bits("111 0000")
                .End()
                .bytes;
  ASSERT_TRUE(Decode(s, 64).result.ok());
  for (size_t cut = 0; cut < s.size(); ++cut) {
    SCOPED_TRACE(cut);
    EXPECT_EQ(Decode(s, 64, cut).result.status, DepackStatus::StreamTruncated);
  }
}

TEST(DepackRejects, FaultyStreams) {
  std::string endless;
  for (int i = 0; i < 40; ++i) endless += "11";
  const struct {
    const char* what;
    Bytes stream;
    size_t size;
    DepackStatus status;
  } cases[] = {
      {"long, offset 2 at 1", HandStream('a').Bits("10 10").Byte(2).Bits("00").End().bytes, 64,
       DepackStatus::BadReference},
      {"long, offset 0", HandStream('a').Bits("10 10").Byte(0).Bits("00").End().bytes, 64, DepackStatus::BadReference},
      {"short, offset 2 at 1", HandStream('a').Bits("110").Byte(2 << 1).End().bytes, 64, DepackStatus::BadReference},
      {"single byte, 2 back at 1", HandStream('a').Bits("111 0010").End().bytes, 64, DepackStatus::BadReference},
      {"gamma offset past 32 bits", HandStream('a').Bits("10").Bits(endless).Bits("10").Byte(0).Bits("00").End().bytes,
       64, DepackStatus::BadReference},
      {"repeat before any offset", HandStream('a').Literal('a').Bits("111 0001").Bits("10 00 00").End().bytes, 64,
       DepackStatus::NoLastOffset},
      {"long block past the output", {'x', 0xA3, 0x01, 0x00, 0x00}, 4, DepackStatus::OutputOverflow},
      {"literal past the output", HandStream('a').Literal('b').End().bytes, 1, DepackStatus::OutputOverflow},
      {"single byte past the output", HandStream('a').Bits("111 0000").End().bytes, 1, DepackStatus::OutputOverflow},
      {"first byte past the output", HandStream('a').End().bytes, 0, DepackStatus::OutputOverflow},
      {"gamma length past 32 bits", HandStream('a').Bits("10 10").Byte(1).Bits(endless).Bits("10").End().bytes, 64,
       DepackStatus::OutputOverflow},
  };
  for (const auto& c : cases) EXPECT_EQ(Decode(c.stream, c.size).result.status, c.status) << c.what;
}

Bytes Image(uint32_t payloadOffset, uint32_t unpackedSize, const Bytes& stream) {
  Bytes image(std::max<size_t>(payloadOffset, kPackedHeaderSize), 0x5A);
  StoreLe32(image.data() + kPayloadOffsetAt, payloadOffset);
  StoreLe32(image.data() + kUnpackedSizeAt, unpackedSize);
  image.resize(payloadOffset);
  image.insert(image.end(), stream.begin(), stream.end());
  return image;
}

// The decoder copies eight bytes at a time where the output has room; a
// stream that stops early must still leave nothing but zeros past its end.
TEST(UnpackImage, StreamEndingEarlyInARoomyOutputLeavesOnlyZerosPastIt) {
  HandStream stream('A');
  for (unsigned char c : std::string("BCDEFGHIJ")) stream.Literal(c);
  stream.Bits("110").Byte(9 << 1 | 1);   // short block: offset 9, 3 bytes "BCD"
  stream.Bits("10 10").Byte(2).Bits("00");  // long block: offset 2, 2 + 2 bytes "CDCD"
  Bytes image = Image(100, 64, stream.End().bytes);
  Bytes out;
  DepackResult r = UnpackImage(image.data(), image.size(), out);
  ASSERT_TRUE(r.ok());
  const std::string expected = "ABCDEFGHIJBCDCDCD";
  ASSERT_EQ(r.written, expected.size());
  EXPECT_EQ(std::string(out.begin(), out.begin() + long(r.written)), expected);
  EXPECT_EQ(Bytes(out.begin() + long(r.written), out.end()), Bytes(64 - expected.size(), 0));
}

TEST(UnpackImage, RejectsBadHeaders) {
  Bytes out = {1, 2, 3};
  Bytes image = Image(72, 1, HandStream('A').End().bytes);
  EXPECT_EQ(UnpackImage(image.data(), 71, out).status, DepackStatus::ShortFile);
  EXPECT_TRUE(out.empty());
  Bytes atEnd = Image(uint32_t(image.size()), 1, {});
  EXPECT_EQ(UnpackImage(atEnd.data(), atEnd.size(), out).status, DepackStatus::BadPayloadOffset);
  StoreLe32(atEnd.data() + kPayloadOffsetAt, 0xFFFFFFFFu);
  EXPECT_EQ(UnpackImage(atEnd.data(), atEnd.size(), out).status, DepackStatus::BadPayloadOffset);
  Bytes tooSmall = Image(72, 0, HandStream('A').End().bytes);
  EXPECT_EQ(UnpackImage(tooSmall.data(), tooSmall.size(), out).status, DepackStatus::OutputOverflow);
  EXPECT_TRUE(out.empty());
}

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

// Packs, checks the plan against what was written, unpacks (with canaries
// past the output) and compares. Returns the stream.
Bytes RoundTrip(const Bytes& input, const ParseLimits& limits = {}, PackStats* stats = nullptr) {
  PackStats local;
  PackStats& s = stats ? *stats : local;
  Bytes stream = PackStream(input.data(), input.size(), limits, &s);
  EXPECT_EQ(s.plannedBits, s.writtenBits);
  EXPECT_LE(stream.size(), s.writtenBits / 8 + 1);

  const Decoded decoded = Decode(stream, input.size());
  EXPECT_TRUE(decoded.result.ok()) << DepackStatusText(decoded.result.status);
  EXPECT_EQ(decoded.result.written, input.size());
  EXPECT_TRUE(decoded.text == std::string(input.begin(), input.end()));
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
