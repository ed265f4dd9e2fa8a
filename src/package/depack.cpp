#include "package/depack.h"

#include "engine/little_endian.h"

#include <algorithm>
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

namespace {

inline void Copy8(unsigned char* dst, const unsigned char* from) {
  uint64_t chunk;
  std::memcpy(&chunk, from, 8);
  std::memcpy(dst, &chunk, 8);
}

// Copies n bytes front to back from `offset` bytes back; where the copy
// overlaps its own output (offset < n) it repeats the bytes just written.
// With `wide`, the caller has left room for 8 bytes past the copy's end: the
// bytes then go eight at a time, which may write up to 7 bytes past the end
// (overwritten by what follows, or cleared at the end). That is exact when
// each group of eight read is final: from an offset of 8 on, or when the
// whole copy is one group that does not overlap itself.
inline void CopyBack(unsigned char* dst, size_t offset, size_t n, bool wide) {
  const unsigned char* from = dst - offset;
  if (offset == 1) {
    std::memset(dst, *from, n);
  } else if (wide && (offset >= 8 || offset >= n)) {
    for (size_t i = 0; i < n; i += 8) Copy8(dst + i, from + i);
  } else if (offset >= n) {
    std::memcpy(dst, from, n);
  } else {
    for (size_t i = 0; i < n; ++i) dst[i] = from[i];
  }
}

// The stream's bytes and flag bits. Reads past the end yield zeros and mark
// the stream truncated; every block checks the mark before it writes, so such
// zeros never reach the output. Forced inline into Depack so that its state
// lives in registers rather than in memory between calls.
class StreamReader {
 public:
  StreamReader(const unsigned char* begin, const unsigned char* end) : src_(begin), end_(end) {}

  [[gnu::always_inline]] unsigned Byte() {
    if (src_ == end_) {
      truncated_ = true;
      return 0;
    }
    return *src_++;
  }

  // Flag bits, most significant first; a new tag byte only when one is needed.
  [[gnu::always_inline]] unsigned Bit() {
    if (tagBits_ == 0) {
      tag_ = Byte();
      tagBits_ = 8;
    }
    --tagBits_;
    return (tag_ >> tagBits_) & 1u;
  }

  // `count` flag bits as a number, most significant first; at once when the
  // tag byte still holds them all.
  [[gnu::always_inline]] unsigned Bits(unsigned count) {
    if (tagBits_ >= count) {
      tagBits_ -= count;
      return (tag_ >> tagBits_) & ((1u << count) - 1);
    }
    unsigned value = 0;
    for (unsigned i = 0; i < count; ++i) value = (value << 1) | Bit();
    return value;
  }

  // The number of 0 flag bits left in the tag byte before its next 1 bit
  // (all that are left when there is none): that many literals follow back
  // to back in the stream.
  [[gnu::always_inline]] unsigned ZeroBitsLeft() const {
    const unsigned left = tag_ & ((1u << tagBits_) - 1);
    return left == 0 ? tagBits_ : tagBits_ - (32 - unsigned(__builtin_clz(left)));
  }

  // Takes `count` literals announced by ZeroBitsLeft into `out`; false, with
  // nothing taken, when the stream holds fewer bytes. With `wide` the caller
  // has room for 8 bytes at `out`: all 8 are copied, whatever the count,
  // which saves a loop whose length the processor cannot guess.
  [[gnu::always_inline]] bool TakeLiterals(unsigned count, unsigned char* out, bool wide) {
    const size_t left = size_t(end_ - src_);
    if (count > left) return false;
    if (wide && left >= 8) {
      Copy8(out, src_);
    } else {
      for (unsigned i = 0; i < count; ++i) out[i] = src_[i];
    }
    src_ += count;
    tagBits_ -= count;
    return true;
  }

  // Saturates instead of wrapping, so an oversized number can only fail the
  // range checks of the caller. Past the end every bit reads 0, which ends
  // the number.
  [[gnu::always_inline]] uint32_t Gamma() {
    uint32_t value = 1;
    for (;;) {
      unsigned bit, more;
      if (tagBits_ >= 2) {  // both bits of the pair from the tag byte at hand
        tagBits_ -= 2;
        bit = (tag_ >> (tagBits_ + 1)) & 1u;
        more = (tag_ >> tagBits_) & 1u;
      } else {
        bit = Bit();
        more = Bit();
      }
      value = value >= 0x80000000u ? 0xFFFFFFFFu : (value << 1) | bit;
      if (!more) return value;
    }
  }

  bool Truncated() const { return truncated_; }

 private:
  const unsigned char* src_;
  const unsigned char* const end_;
  unsigned tag_ = 0;
  unsigned tagBits_ = 0;
  bool truncated_ = false;
};

}  // namespace

DepackResult Depack(const unsigned char* stream, size_t streamSize, unsigned char* output,
                    size_t outputSize) {
  const unsigned char* src = stream;
  const unsigned char* const srcEnd = stream + streamSize;
  size_t pos = 0;
  DepackStatus status = DepackStatus::Ok;

  if (streamSize == 0) return {DepackStatus::StreamTruncated, 0};
  if (outputSize == 0) return {DepackStatus::OutputOverflow, 0};
  output[pos++] = *src++;

  StreamReader in(src, srcEnd);
  uint32_t lastOffset = 0;
  // End of the bytes that wide copies may have written past the output so
  // far; whatever lies past the final end is cleared before returning.
  size_t wideEnd = 0;
  for (;;) {
    size_t offset;
    uint64_t length;
    // Runs of literals, the most frequent item, go in one step; one that
    // would pass the end of the stream or of the output goes byte by byte
    // below, which reports the fault.
    const unsigned run = in.ZeroBitsLeft();
    if (run > 0 && run <= outputSize - pos) {
      const bool wide = outputSize - pos >= 8;
      if (in.TakeLiterals(run, output + pos, wide)) {
        if (wide) wideEnd = std::max(wideEnd, pos + 8);
        pos += run;
        continue;
      }
    }
    if (!in.Bit()) {
      unsigned literal = in.Byte();
      if (in.Truncated()) { status = DepackStatus::StreamTruncated; break; }
      if (pos == outputSize) { status = DepackStatus::OutputOverflow; break; }
      output[pos++] = static_cast<unsigned char>(literal);
      continue;
    }
    if (!in.Bit()) {
      uint32_t g = in.Gamma();
      if (g == 2) {
        length = in.Gamma();
        if (in.Truncated()) { status = DepackStatus::StreamTruncated; break; }
        if (lastOffset == 0) { status = DepackStatus::NoLastOffset; break; }
        offset = lastOffset;
      } else {
        uint64_t far = uint64_t(g - 3) * 256 + in.Byte();
        length = uint64_t(in.Gamma());
        if (in.Truncated()) { status = DepackStatus::StreamTruncated; break; }
        if (far == 0 || far > pos) { status = DepackStatus::BadReference; break; }
        offset = static_cast<size_t>(far);
        length += LongLengthBonus(static_cast<uint32_t>(offset));
        lastOffset = static_cast<uint32_t>(offset);
      }
    } else if (!in.Bit()) {
      unsigned b = in.Byte();
      if (in.Truncated()) { status = DepackStatus::StreamTruncated; break; }
      offset = b >> 1;
      if (offset == 0) break;
      length = 2 + (b & 1u);
      lastOffset = static_cast<uint32_t>(offset);
    } else {
      const unsigned back = in.Bits(4);
      if (in.Truncated()) { status = DepackStatus::StreamTruncated; break; }
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
    const size_t n = static_cast<size_t>(length);
    const bool wide = outputSize - pos - n >= 8;
    CopyBack(output + pos, offset, n, wide);
    pos += n;
    if (wide) wideEnd = std::max(wideEnd, pos + 8);
  }
  if (wideEnd > pos) std::memset(output + pos, 0, wideEnd - pos);
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
