#pragma once
// Writes the packed stream block by block. Flag bits fill tag bytes that are
// reserved in the output at the moment the decoder will fetch them: when a bit
// is needed and the previous tag byte is used up.
#include <cstddef>
#include <cstdint>
#include <vector>

class StreamWriter {
 public:
  explicit StreamWriter(unsigned char firstByte);

  void Literal(unsigned char byte);
  // distance 1..15 copies the byte that many back; 0 writes a zero byte.
  void SingleByte(uint32_t distance);
  void Short(uint32_t offset, uint32_t length);
  void Long(uint32_t offset, uint32_t length);
  void Repeat(uint32_t length);
  // Writes the end marker and hands over the finished stream.
  std::vector<unsigned char> Finish();

  // Number of bits written so far (each tag byte counted by its used bits).
  uint64_t BitCount() const { return bits_; }

 private:
  void Bit(unsigned bit);
  void Bits(uint32_t value, int count);
  void Gamma(uint32_t value);
  void Byte(unsigned char byte);

  std::vector<unsigned char> out_;
  size_t tagAt_ = 0;
  int tagFree_ = 0;
  uint64_t bits_ = 0;
};
