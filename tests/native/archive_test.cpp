#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "archive_members.h"
#include "package/archive.h"
#include "package/archive_extraction.h"
#include "package/archive_format.h"
#include "package/archive_names.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
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

// A name and folder and the folder levels they place the entry in, or
// nullopt where the entry would leave or dodge the destination.
TEST(ArchivePlacement, KeepsEntriesInsideTheDestination) {
  using Levels = std::optional<std::vector<std::string>>;
  const struct {
    std::string name, folder;
    Levels levels = std::nullopt;
  } cases[] = {
      {"ZMT00012.DAT", "a\\b\\", Levels({"a", "b"})},  // one trailing backslash is harmless
      // GBK names: 0x81 0x5C and 0x81 0x7C are characters, not '\' or '|'.
      {"\x81\x5C.txt", "\xCA\xFD\x81\x5C\\\x81\x7C", Levels({"\xCA\xFD\x81\x5C", "\x81\x7C"})},
      {"\xFE\xFE.txt", "\x81\x40", Levels({"\x81\x40"})},  // the highest lead and trail bytes, the lowest
      {"..a", "", Levels(std::vector<std::string>{})},  // dots inside a name are fine
      {"", ""}, {"..", ""}, {".", ""}, {"...", ""}, {". .", ""}, {"a\\b", ""}, {"a/b", ""}, {"C:x", ""},
      {"a:stream", ""}, {"x", "..\\.."}, {"x", "a\\..\\..\\b"}, {"x", "\\Windows"}, {"x", "C:\\Windows"},
      {"x", "a\\\\b"}, {"x", "a/../.."}, {"x", "\\"}, {"a?", ""}, {"a*", ""}, {"a|b", ""}, {"a\tb", ""},
      {"NUL", ""}, {"com1.txt", ""}, {"x", "LPT9"}, {"x", "aux .log"}, {"\x81", ""}, {"x", "\x81"},
      {"\x81/", ""}, {"x", "\x81\\..\\.."}, {"\x81\x7F", ""}, {"a\xFE", ""},
  };
  for (const auto& c : cases) {
    ArchiveEntry entry;
    entry.nameTerminated = entry.folderTerminated = true;
    entry.name = c.name;
    entry.folder = c.folder;
    EntryPlacement placement;
    ASSERT_EQ(PlaceArchiveEntry(entry, placement), c.levels.has_value()) << "name '" << c.name << "' folder '" << c.folder << "'";
    if (c.levels) {
      EXPECT_EQ(placement.folders, *c.levels) << c.name;
      EXPECT_EQ(placement.name, c.name);
    }
  }
  for (bool nameTerminated : {false, true}) {
    ArchiveEntry unterminated;
    unterminated.name = "ok";
    unterminated.nameTerminated = nameTerminated;
    unterminated.folderTerminated = !nameTerminated;
    EntryPlacement placement;
    EXPECT_FALSE(PlaceArchiveEntry(unterminated, placement));
  }
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
                                        Member("EMPTY", "a\\b", ""), Member("TWO.EXE", "a", Pattern(5), 0)};
  Bytes archive = BuildOrFail(members);
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

// Three members of 3, 4 and 5 bytes: the header, three records from byte
// 30 to 330, and the data, the last entry's ending where the file ends. One
// change to the file at a time; extraction stops at the first fault and
// keeps the entries before it.
TEST(ArchiveExtraction, StopsAtTheFirstFaultAndKeepsEarlierFiles) {
  const std::vector<ArchiveMember> members = {Member("FIRST", "", Pattern(3)), Member("SECOND", "", Pattern(4)),
                                              Member("THIRD", "", Pattern(5))};
  const size_t whole = std::numeric_limits<size_t>::max(), second = RecordOffset(1);
  struct Damage {
    const char* what;
    size_t at;
    std::string bytes;
    size_t length;  // of the file after the change
    ArchiveFault fault;
    int32_t entry;
    size_t filesKept;
  };
  const Damage damages[] = {
      {"intact", 0, "", whole, ArchiveFault::kNone, -1, 3},
      {"count 1 reads the first entry only", 4, std::string("\x01\0\0\0", 4), whole, ArchiveFault::kNone, -1, 1},
      {"format 0", 0, std::string("\0\0\0\0", 4), whole, ArchiveFault::kBadHeader, -1, 0},
      {"format 2", 0, std::string("\x02\0\0\0", 4), whole, ArchiveFault::kBadHeader, -1, 0},
      {"count 0", 4, std::string("\0\0\0\0", 4), whole, ArchiveFault::kBadHeader, -1, 0},
      {"count -1", 4, "\xFF\xFF\xFF\xFF", whole, ArchiveFault::kBadHeader, -1, 0},
      {"largest count", 4, "\xFF\xFF\xFF\x7F", whole, ArchiveFault::kBadHeader, -1, 0},
      {"count 4: records past the file", 4, std::string("\x04\0\0\0", 4), whole, ArchiveFault::kBadHeader, -1, 0},
      {"records end where the file ends", 0, "", 330, ArchiveFault::kBadData, 0, 0},
      {"the last record cut short", 0, "", 329, ArchiveFault::kBadHeader, -1, 0},
      {"the header cut short", 0, "", 29, ArchiveFault::kUnreadable, -1, 0},
      {"the last byte of data missing", 0, "", 341, ArchiveFault::kBadData, 2, 2},
      {"name ..", second + kRecordNameOffset, std::string("..\0", 3), whole, ArchiveFault::kUnsafeName, 1, 1},
      {"folder ..\\..", second + kRecordFolderOffset, std::string("..\\..\0", 6), whole, ArchiveFault::kUnsafeName, 1, 1},
      {"name without NUL", second + kRecordNameOffset, std::string(kRecordNameSize, 'n'), whole,
       ArchiveFault::kUnsafeName, 1, 1},
      {"size -1", second + kRecordSizeOffset, "\xFF\xFF\xFF\xFF", whole, ArchiveFault::kBadData, 1, 1},
      {"size past its end", second + kRecordSizeOffset, std::string("\x09\0\0\0", 4), whole, ArchiveFault::kBadData, 1, 1},
      {"end past the file", second + kRecordEndOffset, std::string("\x0D\0\0\0", 4), whole, ArchiveFault::kBadData, 1, 1},
  };
  for (const Damage& damage : damages) {
    Bytes archive = BuildOrFail(members);
    std::copy(damage.bytes.begin(), damage.bytes.end(), archive.begin() + damage.at);
    archive.resize(std::min(archive.size(), damage.length));
    MemoryTarget target;
    const ExtractOutcome outcome = Extract(archive, target);
    EXPECT_EQ(outcome.fault, damage.fault) << damage.what;
    EXPECT_EQ(outcome.entry, damage.entry) << damage.what;
    EXPECT_EQ(target.files.size(), damage.filesKept) << damage.what;
    for (const auto& [name, file] : target.files) EXPECT_TRUE(file.finished) << damage.what << " " << name;
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
  EXPECT_FALSE(BuildArchive({Member(std::string(kRecordNameSize, 'n'), "", "")}, archive, error));
  EXPECT_FALSE(BuildArchive({Member("a", std::string(kRecordFolderSize, 'f'), "")}, archive, error));
  EXPECT_FALSE(BuildArchive({Member(std::string("a\0b", 3), "", "")}, archive, error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(BuildArchive({Member(std::string(kRecordNameSize - 1, 'n'), std::string(kRecordFolderSize - 1, 'f'), "")},
                           archive, error));
}

}  // namespace
