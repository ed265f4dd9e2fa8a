#include "archive_writer.h"

#include <cstring>
#include <limits>

namespace {

void PutU32(unsigned char* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

void PutU64(unsigned char* p, uint64_t value) {
  PutU32(p, uint32_t(value));
  PutU32(p + 4, uint32_t(value >> 32));
}

bool FitsField(const std::string& text, size_t fieldSize) {
  return text.size() < fieldSize && text.find('\0') == std::string::npos;
}

void PutRecord(unsigned char* record, const ArchiveMember& member, int32_t end) {
  std::memcpy(record + kRecordNameOffset, member.name.data(), member.name.size());
  std::memcpy(record + kRecordFolderOffset, member.folder.data(), member.folder.size());
  PutU32(record + kRecordSizeOffset, uint32_t(member.data.size()));
  PutU32(record + kRecordEndOffset, uint32_t(end));
  PutU32(record + kRecordKeyOffset, member.key);
  PutU64(record + kRecordCreatedOffset, member.times.created);
  PutU64(record + kRecordAccessedOffset, member.times.accessed);
  PutU64(record + kRecordWrittenOffset, member.times.written);
}

}  // namespace

bool BuildArchive(const std::vector<ArchiveMember>& members, std::vector<unsigned char>& archive,
                  std::string& error) {
  constexpr uint64_t kMaxEnd = uint64_t(std::numeric_limits<int32_t>::max());
  if (members.empty() || members.size() > kMaxEnd) {
    error = "an archive needs at least one entry";
    return false;
  }
  uint64_t dataSize = 0;
  for (const ArchiveMember& member : members) {
    if (!FitsField(member.name, kRecordNameSize) || !FitsField(member.folder, kRecordFolderSize)) {
      error = "name or folder too long for the archive: " + member.folder + "\\" + member.name;
      return false;
    }
    dataSize += member.data.size();
    if (dataSize > kMaxEnd) {
      error = "archive data exceeds 2 GiB";
      return false;
    }
  }
  const int32_t count = int32_t(members.size());
  archive.assign(DataAreaOffset(count), 0);
  archive.reserve(archive.size() + dataSize);
  PutU32(archive.data(), uint32_t(kArchiveFormat));
  PutU32(archive.data() + 4, uint32_t(count));
  int32_t end = 0;
  for (int32_t k = 0; k < count; ++k) {
    const ArchiveMember& member = members[size_t(k)];
    end += int32_t(member.data.size());
    PutRecord(archive.data() + RecordOffset(k), member, end);
    size_t start = archive.size();
    archive.insert(archive.end(), member.data.begin(), member.data.end());
    EntryScrambler(member.key).Apply(archive.data() + start, member.data.size());
  }
  return true;
}
