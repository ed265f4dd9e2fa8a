#pragma once
// Decoder for packed files: a header followed by an LZ77 stream whose flag
// bits come from tag bytes interleaved with literal and offset bytes, and whose
// numbers use an interleaved gamma code. Portable: works on memory only.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class DepackStatus {
  Ok,
  ShortFile,          // fewer bytes than the fixed header
  BadPayloadOffset,   // the stream would start at or past the end of the file
  NoMemory,           // the output buffer could not be obtained
  StreamTruncated,    // the stream ran out before its end marker
  BadReference,       // a back reference to a byte not yet written
  NoLastOffset,       // a repeat block before any block set the last offset
  OutputOverflow,     // the stream expands to more bytes than the output holds
};

// One-line description of a status, for tools that report it.
const char* DepackStatusText(DepackStatus status);

struct DepackResult {
  DepackStatus status = DepackStatus::Ok;
  size_t written = 0;  // bytes written to the output (also on failure)
  bool ok() const { return status == DepackStatus::Ok; }
};

// Expands one stream into `output`. Never reads past `stream + streamSize` nor
// writes past `output + outputSize`; any such attempt fails the whole stream.
DepackResult Depack(const unsigned char* stream, size_t streamSize, unsigned char* output,
                    size_t outputSize);

// Long blocks carry their length minus a bonus that depends on the offset:
// near and far offsets need longer matches to pay off, so their short
// lengths are not encodable and the code starts higher.
inline uint32_t LongLengthBonus(uint32_t offset) {
  if (offset >= 32000) return 2;
  if (offset >= 1280) return 1;
  if (offset <= 127) return 2;
  return 0;
}

// Fixed layout of the packed-file header (little-endian fields).
constexpr size_t kPackedHeaderSize = 72;
constexpr size_t kPayloadOffsetAt = 48;
constexpr size_t kUnpackedSizeAt = 68;

struct PackedHeader {
  uint32_t payloadOffset = 0;
  uint32_t unpackedSize = 0;
};


// Reads the header of a whole packed file held in memory. Fails with
// ShortFile or BadPayloadOffset; Ok otherwise.
DepackStatus ReadPackedHeader(const unsigned char* file, size_t size, PackedHeader& header);

// Expands a whole packed file held in memory into `output`, which receives
// exactly `UnpackedSize` bytes: zero-filled past the end of a stream that
// stops early. On failure `output` is left empty. Never throws.
DepackResult UnpackImage(const unsigned char* file, size_t size, std::vector<unsigned char>& output);
