#include "stream_writer.h"

#include <bit>
#include <utility>

#include "pack_costs.h"

StreamWriter::StreamWriter(unsigned char firstByte) { Byte(firstByte); }

void StreamWriter::Bit(unsigned bit) {
  if (tagFree_ == 0) {
    tagAt_ = out_.size();
    out_.push_back(0);
    tagFree_ = 8;
  }
  --tagFree_;
  if (bit) out_[tagAt_] |= static_cast<unsigned char>(1u << tagFree_);
  ++bits_;
}

void StreamWriter::Bits(uint32_t value, int count) {
  while (count-- > 0) Bit((value >> count) & 1u);
}

void StreamWriter::Gamma(uint32_t value) {
  // Each binary digit after the leading 1, followed by "more digits follow".
  for (int i = std::bit_width(value) - 2; i >= 0; --i) {
    Bit((value >> i) & 1u);
    Bit(i > 0 ? 1u : 0u);
  }
}

void StreamWriter::Byte(unsigned char byte) {
  out_.push_back(byte);
  bits_ += 8;
}

void StreamWriter::Literal(unsigned char byte) {
  Bit(0);
  Byte(byte);
}

void StreamWriter::SingleByte(uint32_t distance) {
  Bits(0b111, 3);
  Bits(distance, 4);
}

void StreamWriter::Short(uint32_t offset, uint32_t length) {
  Bits(0b110, 3);
  Byte(static_cast<unsigned char>((offset << 1) | (length - 2)));
}

void StreamWriter::Long(uint32_t offset, uint32_t length) {
  Bits(0b10, 2);
  Gamma((offset >> 8) + 3);
  Byte(static_cast<unsigned char>(offset & 0xFFu));
  Gamma(length - LongLengthBonus(offset));
}

void StreamWriter::Repeat(uint32_t length) {
  Bits(0b10, 2);
  Gamma(2);
  Gamma(length);
}

std::vector<unsigned char> StreamWriter::Finish() {
  Bits(0b110, 3);
  Byte(0);
  return std::move(out_);
}
