#pragma once
// Layout of the package archive ZMTUPD.DAT: a 30-byte header, a directory of
// 100-byte records, then the data area. All numbers are little-endian; every
// entry's bytes are XOR-scrambled with the entry's 32-bit key.
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t kArchiveHeaderSize = 30;
constexpr size_t kArchiveRecordSize = 100;
constexpr size_t kArchiveChunkSize = 32768;
constexpr int32_t kArchiveFormat = 1;

// Field offsets and sizes within a record.
constexpr size_t kRecordNameOffset = 0;
constexpr size_t kRecordNameSize = 24;
constexpr size_t kRecordSizeOffset = 24;
constexpr size_t kRecordEndOffset = 32;
constexpr size_t kRecordKeyOffset = 36;
constexpr size_t kRecordCreatedOffset = 40;
constexpr size_t kRecordAccessedOffset = 48;
constexpr size_t kRecordWrittenOffset = 56;
constexpr size_t kRecordFolderOffset = 64;
constexpr size_t kRecordFolderSize = 36;

struct ArchiveHeader {
  int32_t format = 0;
  int32_t count = 0;
};

// File times as Windows FILETIME values (100-ns units since 1601-01-01 UTC).
struct ArchiveTimes {
  uint64_t created = 0;
  uint64_t accessed = 0;
  uint64_t written = 0;
};

struct ArchiveEntry {
  std::string name;    // up to the field's NUL
  std::string folder;  // up to the field's NUL; may hold backslashes
  bool nameTerminated = false;    // a NUL lies within the name field
  bool folderTerminated = false;  // a NUL lies within the folder field
  int32_t size = 0;
  int32_t end = 0;  // offset within the data area of the byte after the data
  uint32_t key = 0;
  ArchiveTimes times;
};

// Decodes the fields of a 30-byte header / a 100-byte record.
ArchiveHeader ParseArchiveHeader(const unsigned char* bytes);
ArchiveEntry ParseArchiveEntry(const unsigned char* bytes);

// True when the header names format 1 and at least one entry and the whole
// directory lies within a file of `fileSize` bytes.
bool IsUsableHeader(const ArchiveHeader& header, uint64_t fileSize);

// Offset of record k, and of the data area, from the start of the file.
uint64_t RecordOffset(int32_t index);
uint64_t DataAreaOffset(int32_t count);

// True when the entry's size is not negative, `end` is not smaller than
// `size`, and the data lies within a file of `fileSize` bytes.
bool HasUsableData(const ArchiveEntry& entry, int32_t count, uint64_t fileSize);

// Offset, from the start of the file, of the entry's first data byte.
uint64_t EntryDataOffset(const ArchiveEntry& entry, int32_t count);

// XORs an entry's bytes with its key: byte i of the entry with key byte
// i mod 4 (key byte 0 is the least significant). The phase carries over from
// one call to the next, so the entry may pass through in chunks of any size.
// The same operation scrambles and descrambles.
class EntryScrambler {
 public:
  explicit EntryScrambler(uint32_t key) : key_(key) {}
  void Apply(unsigned char* bytes, size_t length);

 private:
  uint32_t key_;
  size_t phase_ = 0;
};
