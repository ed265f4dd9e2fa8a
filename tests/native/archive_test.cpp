#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "archive_writer.h"
#include "package/archive.h"
#include "package/archive_extraction.h"
#include "package/archive_format.h"
#include "package/archive_names.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Pattern(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + i / 251);
  return bytes;
}

ArchiveMember Member(std::string name, std::string folder, Bytes data, uint32_t key = 0xA1B2C3D4) {
  ArchiveMember member;
  member.name = std::move(name);
  member.folder = std::move(folder);
  member.data = std::move(data);
  member.key = key;
  member.times = {0x01D0000000000001ull, 0x01D0000000000002ull, 0x01D0000000000003ull};
  return member;
}

Bytes Build(const std::vector<ArchiveMember>& members) {
  Bytes archive;
  std::string error;
  EXPECT_TRUE(BuildArchive(members, archive, error)) << error;
  return archive;
}

// Overwrites a field of record k with raw bytes (the rest of the field keeps
// its content), as a damaged or hostile archive would hold it.
void PatchRecord(Bytes& archive, int k, size_t fieldOffset, const std::string& bytes) {
  std::memcpy(archive.data() + RecordOffset(k) + fieldOffset, bytes.data(), bytes.size());
}

void PatchInt(Bytes& archive, size_t offset, int32_t value) {
  for (int i = 0; i < 4; ++i) archive[offset + i] = static_cast<unsigned char>(uint32_t(value) >> (8 * i));
}

class MemorySource : public ArchiveSource {
 public:
  explicit MemorySource(const Bytes& bytes) : bytes_(bytes) {}
  bool Size(uint64_t& size) override {
    size = bytes_.size();
    return true;
  }
  bool Seek(uint64_t offset) override {
    at_ = offset;
    return true;
  }
  bool Read(unsigned char* buffer, size_t length, size_t& done) override {
    largestRead = std::max(largestRead, length);
    done = at_ >= bytes_.size() ? 0 : std::min<size_t>(length, bytes_.size() - at_);
    std::memcpy(buffer, bytes_.data() + at_, done);
    at_ += done;
    return true;
  }
  size_t largestRead = 0;

 private:
  const Bytes& bytes_;
  uint64_t at_ = 0;
};

// Records what an extraction writes, keyed by "folder\name".
class MemoryTarget : public ExtractTarget {
 public:
  struct File {
    Bytes data;
    ArchiveTimes times;
    bool finished = false;
  };
  bool Create(const EntryPlacement& placement) override {
    current_.clear();
    for (const std::string& level : placement.folders) current_ += level + "\\";
    current_ += placement.name;
    files[current_] = File();
    return true;
  }
  bool Write(const unsigned char* bytes, size_t length) override {
    files[current_].data.insert(files[current_].data.end(), bytes, bytes + length);
    return true;
  }
  bool Finish(const ArchiveTimes& times) override {
    files[current_].times = times;
    files[current_].finished = true;
    return true;
  }
  std::map<std::string, File> files;

 private:
  std::string current_;
};

ExtractOutcome Extract(const Bytes& archive, MemoryTarget& target) {
  MemorySource source(archive);
  return ExtractArchive(source, target);
}

TEST(ArchiveRecord, DecodesLittleEndianFieldsAndNulTerminatedTexts) {
  unsigned char record[kArchiveRecordSize] = {};
  std::memcpy(record, "A.DAT", 6);
  const unsigned char numbers[] = {0x10, 0x00, 0x00, 0x00,  // size 16
                                   0xEE, 0xEE, 0xEE, 0xEE,  // reserved
                                   0x20, 0x01, 0x00, 0x00,  // end 0x120
                                   0x04, 0x03, 0x02, 0x81};  // key
  std::memcpy(record + 24, numbers, sizeof numbers);
  for (int i = 0; i < 8; ++i) record[40 + i] = static_cast<unsigned char>(0x11 * (i + 1));
  record[48] = 0x02;
  record[63] = 0x80;
  std::memcpy(record + 64, "a\\b", 4);
  ArchiveEntry entry = ParseArchiveEntry(record);
  EXPECT_EQ(entry.name, "A.DAT");
  EXPECT_EQ(entry.folder, "a\\b");
  EXPECT_TRUE(entry.nameTerminated && entry.folderTerminated);
  EXPECT_EQ(entry.size, 16);
  EXPECT_EQ(entry.end, 0x120);
  EXPECT_EQ(entry.key, 0x81020304u);
  EXPECT_EQ(entry.times.created, 0x8877665544332211ull);
  EXPECT_EQ(entry.times.accessed, 0x02ull);
  EXPECT_EQ(entry.times.written, 0x8000000000000000ull);

  std::memset(record, 'x', kRecordNameSize);
  std::memset(record + 64, 'y', kRecordFolderSize);
  entry = ParseArchiveEntry(record);
  EXPECT_FALSE(entry.nameTerminated);
  EXPECT_FALSE(entry.folderTerminated);
  EXPECT_EQ(entry.name.size(), kRecordNameSize);
}

TEST(ArchiveHeader, AcceptsOnlyFormatOneWithEntriesThatFitTheFile) {
  const unsigned char bytes[kArchiveHeaderSize] = {1, 0, 0, 0, 2, 0, 0, 0};
  ArchiveHeader header = ParseArchiveHeader(bytes);
  EXPECT_EQ(header.format, 1);
  EXPECT_EQ(header.count, 2);
  EXPECT_TRUE(IsUsableHeader(header, 230));
  EXPECT_FALSE(IsUsableHeader(header, 229));  // the second record is cut off
  EXPECT_FALSE(IsUsableHeader({2, 1}, 1000));
  EXPECT_FALSE(IsUsableHeader({1, 0}, 1000));
  EXPECT_FALSE(IsUsableHeader({1, -1}, 1000));
  EXPECT_FALSE(IsUsableHeader({1, 0x7FFFFFFF}, 1000));
}

TEST(ArchiveRecord, DataMustLieWithinTheFile) {
  ArchiveEntry entry;
  entry.size = 10;
  entry.end = 30;
  const uint64_t dataArea = DataAreaOffset(1);
  EXPECT_TRUE(HasUsableData(entry, 1, dataArea + 30));
  EXPECT_EQ(EntryDataOffset(entry, 1), dataArea + 20);
  EXPECT_FALSE(HasUsableData(entry, 1, dataArea + 29));
  entry.end = 9;  // ends before it begins
  EXPECT_FALSE(HasUsableData(entry, 1, 1000));
  entry.size = -1;
  entry.end = 0;
  EXPECT_FALSE(HasUsableData(entry, 1, 1000));
}

TEST(EntryScrambler, KeyPhaseCarriesAcrossChunksOfAnySize) {
  const uint32_t key = 0x44332211;
  Bytes plain(kArchiveChunkSize + 1, 0);  // XOR of zeros shows the key stream
  Bytes whole = plain;
  EntryScrambler(key).Apply(whole.data(), whole.size());
  for (size_t i = 0; i < whole.size(); ++i)
    ASSERT_EQ(whole[i], (key >> (8 * (i % 4))) & 0xFF) << "byte " << i;  // so also after a full chunk

  // Pieces that leave the key at every phase, shorter and longer than the
  // wide steps.
  for (size_t first : {size_t(1), size_t(2), size_t(3), size_t(15), size_t(17), size_t(33), kArchiveChunkSize}) {
    Bytes pieces = plain;
    EntryScrambler scrambler(key);
    scrambler.Apply(pieces.data(), first);
    scrambler.Apply(pieces.data() + first, pieces.size() - first);
    EXPECT_EQ(pieces, whole) << first;
  }
}

TEST(ArchivePlacement, AcceptsNamesAndFoldersInsideTheDestination) {
  ArchiveEntry entry;
  entry.nameTerminated = entry.folderTerminated = true;
  EntryPlacement placement;
  entry.name = "ZMT00012.DAT";
  entry.folder = "a\\b\\";  // one trailing backslash is harmless
  ASSERT_TRUE(PlaceArchiveEntry(entry, placement));
  EXPECT_EQ(placement.folders, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(placement.name, "ZMT00012.DAT");

  // GBK names: 0x81 0x5C and 0x81 0x7C are characters, not '\' or '|'.
  entry.name = "\x81\x5C.txt";
  entry.folder = "\xCA\xFD\x81\x5C\\\x81\x7C";
  ASSERT_TRUE(PlaceArchiveEntry(entry, placement));
  EXPECT_EQ(placement.folders, (std::vector<std::string>{"\xCA\xFD\x81\x5C", "\x81\x7C"}));

  entry.name = "..a";  // dots inside a name are fine
  entry.folder = "";
  ASSERT_TRUE(PlaceArchiveEntry(entry, placement));
  EXPECT_TRUE(placement.folders.empty());
}

TEST(ArchivePlacement, RefusesNamesThatLeaveOrDodgeTheDestination) {
  const std::vector<std::pair<std::string, std::string>> hostile = {
      {"", ""},                     {"..", ""},           {".", ""},
      {"...", ""},                  {". .", ""},          {"a\\b", ""},
      {"a/b", ""},                  {"C:x", ""},          {"a:stream", ""},
      {"x", "..\\.."},              {"x", "a\\..\\..\\b"}, {"x", "\\Windows"},
      {"x", "C:\\Windows"},         {"x", "a\\\\b"},      {"x", "a/../.."},
      {"x", "\\"},                  {"a?", ""},           {"a*", ""},
      {"a|b", ""},                  {"a\tb", ""},         {"NUL", ""},
      {"com1.txt", ""},             {"x", "LPT9"},        {"x", "aux .log"},
      {"\x81", ""},                 {"x", "\x81"},        {"\x81/", ""},
      {"x", "\x81\\..\\.."},        {"\x81\x7F", ""},
  };
  for (const auto& [name, folder] : hostile) {
    ArchiveEntry entry;
    entry.nameTerminated = entry.folderTerminated = true;
    entry.name = name;
    entry.folder = folder;
    EntryPlacement placement;
    EXPECT_FALSE(PlaceArchiveEntry(entry, placement)) << "name '" << name << "' folder '" << folder << "'";
  }
  ArchiveEntry unterminated;
  unterminated.name = "ok";
  unterminated.nameTerminated = false;
  unterminated.folderTerminated = true;
  EntryPlacement placement;
  EXPECT_FALSE(PlaceArchiveEntry(unterminated, placement));
  unterminated.nameTerminated = true;
  unterminated.folderTerminated = false;
  EXPECT_FALSE(PlaceArchiveEntry(unterminated, placement));
}

TEST(ArchivePlacement, OutputPathsJoinWithBackslashesWithinThePathLimit) {
  EntryPlacement placement{{"a", "b"}, "f.dat"};
  std::string folder, file;
  ASSERT_TRUE(BuildEntryPaths("C:\\pkg\\", placement, folder, file));
  EXPECT_EQ(folder, "C:\\pkg\\a\\b");
  EXPECT_EQ(file, "C:\\pkg\\a\\b\\f.dat");
  ASSERT_TRUE(BuildEntryPaths("C:\\pkg\\", EntryPlacement{{}, "f.dat"}, folder, file));
  EXPECT_EQ(folder, "");
  EXPECT_EQ(file, "C:\\pkg\\f.dat");

  const std::string deep = "C:\\" + std::string(246, 'd') + "\\";  // 250 characters
  EXPECT_TRUE(BuildEntryPaths(deep, placement, folder, file));       // 259
  EXPECT_EQ(file.size(), 259u);
  placement.name = "f.data";
  folder = file = "unchanged";
  EXPECT_FALSE(BuildEntryPaths(deep, placement, folder, file));  // 260
  EXPECT_EQ(file, "unchanged");
}

TEST(ArchiveExtraction, WriterAndReaderRoundTripInChunks) {
  std::vector<ArchiveMember> members = {Member("ONE.DAT", "", Pattern(kArchiveChunkSize + 1), 0x01020304),
                                        Member("EMPTY", "a\\b", {}), Member("TWO.EXE", "a", Pattern(5), 0)};
  Bytes archive = Build(members);
  MemorySource source(archive);
  MemoryTarget target;
  ASSERT_TRUE(ExtractArchive(source, target).ok());
  EXPECT_LE(source.largestRead, kArchiveChunkSize);
  ASSERT_EQ(target.files.size(), 3u);
  for (const ArchiveMember& member : members) {
    std::string key = member.folder.empty() ? member.name : member.folder + "\\" + member.name;
    const MemoryTarget::File& file = target.files[key];
    EXPECT_EQ(file.data, member.data) << key;
    EXPECT_TRUE(file.finished);
    EXPECT_EQ(file.times.created, member.times.created);
    EXPECT_EQ(file.times.accessed, member.times.accessed);
    EXPECT_EQ(file.times.written, member.times.written);
  }
  // Stored bytes are scrambled: the first entry's data starts at the data area.
  EXPECT_EQ(archive[DataAreaOffset(3)], members[0].data[0] ^ 0x04);
}

TEST(ArchiveExtraction, DamagedHeaderCreatesNothing) {
  Bytes archive = Build({Member("A", "", Pattern(10))});
  MemoryTarget target;
  for (int32_t format : {0, 2}) {
    Bytes damaged = archive;
    PatchInt(damaged, 0, format);
    EXPECT_EQ(Extract(damaged, target).fault, ArchiveFault::kBadHeader);
  }
  for (int32_t count : {0, -1, 2}) {  // 2: the second record lies in the data
    Bytes damaged = archive;
    PatchInt(damaged, 4, count);
    EXPECT_NE(Extract(damaged, target).fault, ArchiveFault::kNone) << count;
  }
  EXPECT_EQ(Extract(Bytes(archive.begin(), archive.begin() + 29), target).fault, ArchiveFault::kUnreadable);
  EXPECT_TRUE(target.files.empty());
}

TEST(ArchiveExtraction, StopsBeforeTheFirstBadEntryAndKeepsEarlierFiles) {
  const std::vector<ArchiveMember> members = {Member("FIRST", "", Pattern(3)), Member("SECOND", "", Pattern(4)),
                                              Member("THIRD", "", Pattern(5))};
  struct Damage {
    size_t field;
    std::string bytes;
    ArchiveFault fault;
  };
  const Damage damages[] = {
      {kRecordNameOffset, std::string("..\0", 3), ArchiveFault::kUnsafeName},
      {kRecordFolderOffset, std::string("..\\..\0", 6), ArchiveFault::kUnsafeName},
      {kRecordNameOffset, std::string(kRecordNameSize, 'n'), ArchiveFault::kUnsafeName},
      {kRecordSizeOffset, std::string("\xFF\xFF\xFF\xFF", 4), ArchiveFault::kBadData},  // size -1
      {kRecordSizeOffset, std::string("\x09\0\0\0", 4), ArchiveFault::kBadData},         // size > end
      {kRecordEndOffset, std::string("\x0D\0\0\0", 4), ArchiveFault::kBadData},          // past the file
  };
  for (const Damage& damage : damages) {
    Bytes archive = Build(members);
    PatchRecord(archive, 1, damage.field, damage.bytes);
    MemoryTarget target;
    ExtractOutcome outcome = Extract(archive, target);
    EXPECT_EQ(outcome.fault, damage.fault);
    EXPECT_EQ(outcome.entry, 1);
    ASSERT_EQ(target.files.size(), 1u);
    EXPECT_TRUE(target.files["FIRST"].finished);
  }
}

// Windows writes A.DLL and a.dll to one file: the later CRC-32 stands for
// both spellings. A trail byte that looks like a letter is no letter.
TEST(ExtractedCrcs, NamesThatDifferOnlyInCaseAreOneFile) {
  ExtractedCrcs crcs;
  crcs["C:\\PKG\\A.DLL"] = 1;
  crcs["c:\\pkg\\a.dll"] = 2;
  crcs["\x81\x41"] = 3;
  crcs["\x81\x61"] = 4;
  EXPECT_EQ(crcs.size(), 3u);
  EXPECT_EQ(crcs.at("C:\\Pkg\\A.dll"), 2u);
  EXPECT_EQ(crcs.at("\x81\x41"), 3u);
}

TEST(ArchiveWriter, RefusesWhatTheRecordCannotHold) {
  Bytes archive;
  std::string error;
  EXPECT_FALSE(BuildArchive({}, archive, error));
  EXPECT_FALSE(BuildArchive({Member(std::string(kRecordNameSize, 'n'), "", {})}, archive, error));
  EXPECT_FALSE(BuildArchive({Member("a", std::string(kRecordFolderSize, 'f'), {})}, archive, error));
  EXPECT_FALSE(BuildArchive({Member(std::string("a\0b", 3), "", {})}, archive, error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(BuildArchive({Member(std::string(kRecordNameSize - 1, 'n'), std::string(kRecordFolderSize - 1, 'f'), {})},
                           archive, error));
}

}  // namespace
