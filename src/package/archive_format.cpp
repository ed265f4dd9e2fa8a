#include "package/archive_format.h"

#include <cstring>

#include "engine/little_endian.h"

namespace {

int32_t ReadI32(const unsigned char* p) { return static_cast<int32_t>(LoadLe32(p)); }

// Text of a fixed-size field up to its NUL; `terminated` tells whether the
// field holds a NUL at all.
std::string ReadField(const unsigned char* p, size_t size, bool& terminated) {
  const void* nul = std::memchr(p, 0, size);
  terminated = nul != nullptr;
  size_t length = terminated ? size_t(static_cast<const unsigned char*>(nul) - p) : size;
  return std::string(reinterpret_cast<const char*>(p), length);
}

}  // namespace

ArchiveHeader ParseArchiveHeader(const unsigned char* bytes) {
  ArchiveHeader header;
  header.format = ReadI32(bytes);
  header.count = ReadI32(bytes + 4);
  return header;
}

ArchiveEntry ParseArchiveEntry(const unsigned char* bytes) {
  ArchiveEntry entry;
  entry.name = ReadField(bytes + kRecordNameOffset, kRecordNameSize, entry.nameTerminated);
  entry.folder = ReadField(bytes + kRecordFolderOffset, kRecordFolderSize, entry.folderTerminated);
  entry.size = ReadI32(bytes + kRecordSizeOffset);
  entry.end = ReadI32(bytes + kRecordEndOffset);
  entry.key = LoadLe32(bytes + kRecordKeyOffset);
  entry.times.created = LoadLe64(bytes + kRecordCreatedOffset);
  entry.times.accessed = LoadLe64(bytes + kRecordAccessedOffset);
  entry.times.written = LoadLe64(bytes + kRecordWrittenOffset);
  return entry;
}

uint64_t RecordOffset(int32_t index) { return kArchiveHeaderSize + uint64_t(index) * kArchiveRecordSize; }

uint64_t DataAreaOffset(int32_t count) { return RecordOffset(count); }

bool IsUsableHeader(const ArchiveHeader& header, uint64_t fileSize) {
  return header.format == kArchiveFormat && header.count >= 1 && DataAreaOffset(header.count) <= fileSize;
}

bool HasUsableData(const ArchiveEntry& entry, int32_t count, uint64_t fileSize) {
  if (entry.size < 0 || entry.end < entry.size) return false;
  return DataAreaOffset(count) + uint64_t(entry.end) <= fileSize;
}

uint64_t EntryDataOffset(const ArchiveEntry& entry, int32_t count) {
  return DataAreaOffset(count) + uint64_t(entry.end) - uint64_t(entry.size);
}

void EntryScrambler::Apply(unsigned char* bytes, size_t length) {
  size_t i = 0;
  auto oneByte = [&] {
    bytes[i++] ^= static_cast<unsigned char>(key_ >> (8 * phase_));
    phase_ = (phase_ + 1) & 3;
  };
  // Byte by byte up to the key's first byte; from there sixteen bytes at a
  // time against the key laid out four times, a loop the compiler turns into
  // wide XORs; the rest byte by byte again.
  while (i < length && phase_ != 0) oneByte();
  unsigned char pattern[16];
  for (size_t j = 0; j < 16; ++j) pattern[j] = static_cast<unsigned char>(key_ >> (8 * (j & 3)));
  for (; i + 16 <= length; i += 16)
    for (size_t j = 0; j < 16; ++j) bytes[i + j] ^= pattern[j];
  while (i < length) oneByte();
}
