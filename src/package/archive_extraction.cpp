#include "package/archive_extraction.h"

#include <algorithm>
#include <vector>

namespace {

bool ReadExactly(ArchiveSource& source, unsigned char* buffer, size_t length) {
  size_t done = 0;
  return source.Read(buffer, length, done) && done == length;
}

// Copies the entry's data from the source's current position to the target,
// descrambling it chunk by chunk.
ArchiveFault CopyEntryData(ArchiveSource& source, ExtractTarget& target, const ArchiveEntry& entry,
                           std::vector<unsigned char>& buffer) {
  EntryScrambler scrambler(entry.key);
  size_t left = size_t(entry.size);
  while (left > 0) {
    size_t chunk = std::min(left, buffer.size());
    if (!ReadExactly(source, buffer.data(), chunk)) return ArchiveFault::kUnreadable;
    scrambler.Apply(buffer.data(), chunk);
    if (!target.Write(buffer.data(), chunk)) return ArchiveFault::kWriteFailed;
    left -= chunk;
  }
  return ArchiveFault::kNone;
}

ArchiveFault ExtractEntry(ArchiveSource& source, ExtractTarget& target, int32_t index, int32_t count,
                          uint64_t fileSize, std::vector<unsigned char>& buffer) {
  unsigned char record[kArchiveRecordSize];
  if (!source.Seek(RecordOffset(index)) || !ReadExactly(source, record, sizeof record)) {
    return ArchiveFault::kUnreadable;
  }
  ArchiveEntry entry = ParseArchiveEntry(record);
  EntryPlacement placement;
  if (!PlaceArchiveEntry(entry, placement)) return ArchiveFault::kUnsafeName;
  if (!HasUsableData(entry, count, fileSize)) return ArchiveFault::kBadData;
  if (!target.Create(placement)) return ArchiveFault::kCreateFailed;
  if (!source.Seek(EntryDataOffset(entry, count))) return ArchiveFault::kUnreadable;
  ArchiveFault fault = CopyEntryData(source, target, entry, buffer);
  if (fault == ArchiveFault::kNone && !target.Finish(entry.times)) fault = ArchiveFault::kWriteFailed;
  return fault;
}

}  // namespace

ExtractOutcome ExtractArchive(ArchiveSource& source, ExtractTarget& target) {
  ExtractOutcome outcome;
  uint64_t fileSize = 0;
  unsigned char headerBytes[kArchiveHeaderSize];
  if (!source.Size(fileSize) || !ReadExactly(source, headerBytes, sizeof headerBytes)) {
    outcome.fault = ArchiveFault::kUnreadable;
    return outcome;
  }
  ArchiveHeader header = ParseArchiveHeader(headerBytes);
  if (!IsUsableHeader(header, fileSize)) {
    outcome.fault = ArchiveFault::kBadHeader;
    return outcome;
  }
  std::vector<unsigned char> buffer(kArchiveChunkSize);
  for (int32_t k = 0; k < header.count; ++k) {
    outcome.fault = ExtractEntry(source, target, k, header.count, fileSize, buffer);
    if (!outcome.ok()) {
      outcome.entry = k;
      return outcome;
    }
  }
  return outcome;
}
