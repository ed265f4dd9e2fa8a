#include "pack.h"

#include <cstring>

#include "engine/crc32.h"
#include "engine/little_endian.h"
#include "package/depack.h"
#include "stream_writer.h"

namespace {
// Our own use of the header bytes the runner does not interpret.
constexpr char kMagic[16] = "SKAL PACKED v1\x1a";
constexpr size_t kMagicAt = 0;
constexpr size_t kCrcAt = 16;
}  // namespace

std::vector<unsigned char> PackStream(const unsigned char* data, size_t size, const ParseLimits& limits,
                                      PackStats* stats) {
  if (size == 0) return {};
  StreamWriter writer(data[0]);
  uint32_t pos = 1;
  PackStats counted;
  counted.plannedBits = ParseOptimal(data, size, limits, [&](const Token& token) {
    ++counted.blocks[size_t(token.kind)];
    switch (token.kind) {
      case TokenKind::Literal: writer.Literal(data[pos]); break;
      case TokenKind::SingleByte: writer.SingleByte(token.offset); break;
      case TokenKind::Short: writer.Short(token.offset, token.length); break;
      case TokenKind::Long: writer.Long(token.offset, token.length); break;
      case TokenKind::Repeat: writer.Repeat(token.length); break;
    }
    pos += token.length;
  });
  std::vector<unsigned char> stream = writer.Finish();
  counted.writtenBits = writer.BitCount();
  if (stats) *stats = counted;
  return stream;
}

std::vector<unsigned char> PackImage(const unsigned char* data, size_t size) {
  if (size == 0 || (uint64_t(size) >> 32) != 0) return {};
  std::vector<unsigned char> stream = PackStream(data, size);
  std::vector<unsigned char> image(kPackedHeaderSize, 0);
  std::memcpy(image.data() + kMagicAt, kMagic, sizeof kMagic);
  StoreLe32(image.data() + kCrcAt, Crc32Update(0, data, size));
  StoreLe32(image.data() + kPayloadOffsetAt, static_cast<uint32_t>(kPackedHeaderSize));
  StoreLe32(image.data() + kUnpackedSizeAt, static_cast<uint32_t>(size));
  image.insert(image.end(), stream.begin(), stream.end());
  return image;
}

OwnHeader ReadOwnHeader(const unsigned char* file, size_t size) {
  OwnHeader header;
  if (size < kPackedHeaderSize || std::memcmp(file + kMagicAt, kMagic, sizeof kMagic) != 0) return header;
  header.present = true;
  header.crc = LoadLe32(file + kCrcAt);
  return header;
}
