#include "package/depack.h"

#include "engine/little_endian.h"

#include <cstring>
#include <new>
#include <stdexcept>

const char* DepackStatusText(DepackStatus status) {
  switch (status) {
    case DepackStatus::Ok: return "ok";
    case DepackStatus::ShortFile: return "file is shorter than the packed-file header";
    case DepackStatus::BadPayloadOffset: return "payload offset lies at or past the end of the file";
    case DepackStatus::NoMemory: return "not enough memory for the unpacked content";
    case DepackStatus::StreamTruncated: return "compressed stream ends before its end marker";
    case DepackStatus::BadReference: return "back reference before the start of the output";
    case DepackStatus::NoLastOffset: return "repeat block before any offset was set";
    case DepackStatus::OutputOverflow: return "stream expands past the declared unpacked size";
  }
  return "unknown error";
}

DepackResult Depack(const unsigned char* stream, size_t streamSize, unsigned char* output,
                    size_t outputSize) {
  const unsigned char* src = stream;
  const unsigned char* const srcEnd = stream + streamSize;
  size_t pos = 0;
  DepackStatus status = DepackStatus::Ok;

  if (streamSize == 0) return {DepackStatus::StreamTruncated, 0};
  if (outputSize == 0) return {DepackStatus::OutputOverflow, 0};
  output[pos++] = *src++;

  // Reads past the end yield zeros and mark the stream truncated; every block
  // checks the mark before it writes, so such zeros never reach the output.
  bool truncated = false;
  auto nextByte = [&]() -> unsigned {
    if (src == srcEnd) {
      truncated = true;
      return 0;
    }
    return *src++;
  };
  unsigned tag = 0;
  unsigned tagBits = 0;
  auto nextBit = [&]() -> unsigned {
    if (tagBits == 0) {
      tag = nextByte();
      tagBits = 8;
    }
    --tagBits;
    return (tag >> tagBits) & 1u;
  };
  // Saturates instead of wrapping, so an oversized number can only fail the
  // range checks below. Past the end every bit reads 0, which ends the number.
  auto gamma = [&]() -> uint32_t {
    uint32_t value = 1;
    do {
      unsigned bit = nextBit();
      value = value >= 0x80000000u ? 0xFFFFFFFFu : (value << 1) | bit;
    } while (nextBit());
    return value;
  };

  uint32_t lastOffset = 0;
  for (;;) {
    size_t offset;
    uint64_t length;
    if (!nextBit()) {
      unsigned literal = nextByte();
      if (truncated) { status = DepackStatus::StreamTruncated; break; }
      if (pos == outputSize) { status = DepackStatus::OutputOverflow; break; }
      output[pos++] = static_cast<unsigned char>(literal);
      continue;
    }
    if (!nextBit()) {
      uint32_t g = gamma();
      if (g == 2) {
        length = gamma();
        if (truncated) { status = DepackStatus::StreamTruncated; break; }
        if (lastOffset == 0) { status = DepackStatus::NoLastOffset; break; }
        offset = lastOffset;
      } else {
        uint64_t far = uint64_t(g - 3) * 256 + nextByte();
        length = uint64_t(gamma());
        if (truncated) { status = DepackStatus::StreamTruncated; break; }
        if (far == 0 || far > pos) { status = DepackStatus::BadReference; break; }
        offset = static_cast<size_t>(far);
        length += LongLengthBonus(static_cast<uint32_t>(offset));
        lastOffset = static_cast<uint32_t>(offset);
      }
    } else if (!nextBit()) {
      unsigned b = nextByte();
      if (truncated) { status = DepackStatus::StreamTruncated; break; }
      offset = b >> 1;
      if (offset == 0) return {DepackStatus::Ok, pos};
      length = 2 + (b & 1u);
      lastOffset = static_cast<uint32_t>(offset);
    } else {
      unsigned back = 0;
      for (int i = 0; i < 4; ++i) back = (back << 1) | nextBit();
      if (truncated) { status = DepackStatus::StreamTruncated; break; }
      if (back > pos) { status = DepackStatus::BadReference; break; }
      if (pos == outputSize) { status = DepackStatus::OutputOverflow; break; }
      output[pos] = back == 0 ? 0 : output[pos - back];
      ++pos;
      continue;
    }

    if (offset > pos) { status = DepackStatus::BadReference; break; }
    if (length > outputSize - pos) { status = DepackStatus::OutputOverflow; break; }
    // Copies run front to back, so an offset shorter than the length repeats
    // the bytes just written.
    unsigned char* dst = output + pos;
    const unsigned char* from = dst - offset;
    size_t n = static_cast<size_t>(length);
    if (offset >= n) {
      std::memcpy(dst, from, n);
    } else if (offset == 1) {
      std::memset(dst, *from, n);
    } else {
      for (size_t i = 0; i < n; ++i) dst[i] = from[i];
    }
    pos += n;
  }
  return {status, pos};
}

DepackStatus ReadPackedHeader(const unsigned char* file, size_t size, PackedHeader& header) {
  if (size < kPackedHeaderSize) return DepackStatus::ShortFile;
  header.payloadOffset = LoadLe32(file + kPayloadOffsetAt);
  header.unpackedSize = LoadLe32(file + kUnpackedSizeAt);
  if (header.payloadOffset >= size) return DepackStatus::BadPayloadOffset;
  return DepackStatus::Ok;
}

DepackResult UnpackImage(const unsigned char* file, size_t size, std::vector<unsigned char>& output) {
  output.clear();
  PackedHeader header;
  DepackStatus status = ReadPackedHeader(file, size, header);
  if (status != DepackStatus::Ok) return {status, 0};
  try {
    // Zero-filled, so a stream that stops early leaves zeros, never stale memory.
    output.assign(header.unpackedSize, 0);
  } catch (const std::bad_alloc&) {
    return {DepackStatus::NoMemory, 0};
  } catch (const std::length_error&) {
    return {DepackStatus::NoMemory, 0};
  }
  DepackResult result = Depack(file + header.payloadOffset, size - header.payloadOffset,
                               output.data(), output.size());
  if (!result.ok()) {
    output.clear();
    output.shrink_to_fit();
  }
  return result;
}
