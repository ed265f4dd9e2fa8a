// Version numbers: parsed from catalogue text and shown, dates compared, and
// read from the files themselves (driver resources, the PE version resource,
// header and engine fields); the database files' names and the installed
// database version.
#include <gtest/gtest.h>

#include <map>

#include "engine/date_text.h"
#include "engine/driver_version.h"
#include "engine/header_versions.h"
#include "engine/memory_byte_source.h"
#include "engine/pe_version_resource.h"
#include "engine/version_number.h"
#include "versions/database_names.h"
#include "versions/database_run.h"
#include "versions/version_format.h"
#include "../fixtures/fixture_images.h"

using namespace fixtures;

namespace {

VersionNumber V(uint32_t high, uint32_t low) { return VersionNumber{high, low}; }

// Parts fill the halves and spill over; a part is its leading digits.
TEST(ParseVersion, PartsFillTheHalvesAndAreTheirLeadingDigits) {
  const std::pair<const char*, VersionNumber> cases[] = {
      {"1.2", V(65538, 0)},
      {"1.2.3.4", V(65538, 196612)},
      {"1.2.3.4.5", V(65538, 196612)},  // after a fourth dot: ignored
      {"", V(0, 0)},
      {"1.65536", V(131072, 0)},
      {"0.0.1.65536", V(0, 2 << 16)},
      {"65536.1", V(1, 0)},  // out of part a: beyond 64 bits
      {"4.10a.0x.2000 beta", V(4 << 16 | 10, 2000)},
      {"v4.-10", V(0, 0)},
      {"1..3", V(65536, 3 << 16)},
  };
  for (const auto& [text, version] : cases) EXPECT_EQ(ParseVersion(text), version) << text;
  // Beyond 32 bits the digits wrap; a result that reads negative counts by its size.
  EXPECT_EQ(LeadingNumber("4294967297"), 1u);
  EXPECT_EQ(LeadingNumber("4294967295"), 1u);
}

TEST(FormatVersion, ZeroPartsLeftOutWhereverTheyStandOthersUnsigned) {
  const std::pair<VersionNumber, const char*> cases[] = {
      {ParseVersion("4.0.0.5"), "4.5"},  {ParseVersion("2004.3.0.0"), "2004.3"}, {ParseVersion("0.0.0.0"), "0"},
      {ParseVersion("0.0.7"), "0.7"}, {V(0xFFFFFFFF, 0xFFFFFFFF), "65535.65535.65535.65535"}};
  for (const auto& [version, text] : cases) EXPECT_EQ(FormatVersion(version), text);
}

TEST(DateText, MissingPartsAreZeroAndTheYearComparesFirst) {
  const struct {
    const char *a, *b;
    bool later;
  } cases[] = {{"2004.3.26", "2004.3.25", true}, {"2004.3.26", "2004.03.26xyz", false},
               {"2004.4.1", "2004.3.31", true},  {"2005.1.1", "2004.12.31", true},
               {"2004.3", "2004.3.1", false},    {"2004.3", "2004.2.29", true},
               {"", "0.0.0", false}};
  for (const auto& c : cases) EXPECT_EQ(IsLaterDate(ParseDateText(c.a), ParseDateText(c.b)), c.later) << c.a << " " << c.b;
}

int CompareImage(const std::string& image, std::string_view text) {
  MemoryByteSource bytes(image);
  return CompareDriverVersion(bytes, text);
}

int CompareValue(std::string_view value, std::string_view text, std::string_view key = "FileVersion") {
  return CompareImage(DriverImage(DriverVersionResource(value, key)), text);
}

// The catalogue text harvest writes for a driver compares equal to the driver.
TEST(DriverVersion, VersionTextIsTheValueReadAsTheComparisonReadsIt) {
  const std::pair<std::string, std::string> cases[] = {
      {"4, 10, 0, 1998", "4.10.0.1998"}, {"4,10,,  ,0,1998", "4.10.0.1998"}, {"4.10.0.1998", "4"}};
  for (const auto& [value, text] : cases) {
    const std::string image = DriverImage(DriverVersionResource(value));
    MemoryByteSource bytes(image);
    EXPECT_EQ(DriverVersionText(bytes), text) << value;
    EXPECT_EQ(CompareValue(value, text), 0) << value;
  }
  const std::string header = HeaderImage(1, 2);
  MemoryByteSource notDriver(header);
  EXPECT_EQ(DriverVersionText(notDriver), "");
}

// The installed value's comma parts against the catalogue's dotted text;
// dots do not separate installed parts. The key is a whole NUL-terminated
// text in any case.
TEST(DriverVersion, CommaPartsAgainstDottedText) {
  const struct {
    const char *value, *text, *key;
    int order;
  } cases[] = {
      {"4, 10, 0, 1998", "4.10.0.2000", "FileVersion", -1},
      {"4, 10, 0, 1998", "4.10", "FileVersion", 0},  // text ran out of parts
      {"4, 10, 0, 1998", "4.9", "FileVersion", 1},
      {"4,10,,  ,0,1998", "4.10.0.1999", "FileVersion", -1},
      {"4, 10", "4.10.0.1", "FileVersion", 0},  // installed ran out of parts
      {"4.10.0.1998", "4.9", "FileVersion", 0},
      {"4.10.0.1998", "3.99", "FileVersion", 1},
      {"4, 10", "4.9", "FILEVERSION", 1},
      {"4, 10", "4.9", "fileversion", 1},
      {"4, 10", "4.9", "FileVersions", 0},  // neither it nor the ProductVersion entry before it
  };
  for (const auto& c : cases) EXPECT_EQ(CompareValue(c.value, c.text, c.key), c.order) << c.value << " " << c.text << " " << c.key;
  // A key at the very end, or followed only by NULs, has no value.
  EXPECT_EQ(CompareImage(DriverImage("FileVersion"), "1.0"), 0);
  EXPECT_EQ(CompareImage(DriverImage(std::string("FileVersion\0\0\0", 14)), "1.0"), 0);
}

TEST(DriverVersion, BrokenHeadersOrResourceOutsideTheFileMeanNotFound) {
  const std::string good = DriverImage(DriverVersionResource("4, 10"));
  ASSERT_EQ(CompareImage(good, "4.9"), 1);
  auto patched = [&good](size_t at, uint32_t value) {
    std::string image = good;
    PutLe32(image, at, value);
    return CompareImage(image, "4.9");
  };
  EXPECT_EQ(patched(0, 0x00005A4E), 0);                             // "NZ"
  EXPECT_EQ(patched(kLeHeaderAt, 0x0000584C), 0);                   // "LX"
  EXPECT_EQ(patched(60, 0xFFFFFF00u), 0);                           // LE header beyond the end
  EXPECT_EQ(patched(kResourceOffsetField, uint32_t(good.size()) - 8), 0);
  EXPECT_EQ(patched(kResourceOffsetField, 0xFFFFFFF0u), 0);
  EXPECT_EQ(patched(kResourceLengthField, 0xFFFFFFFFu), 0);
  EXPECT_EQ(CompareImage(good.substr(0, 63), "4.9"), 0);
  EXPECT_EQ(CompareImage(good.substr(0, kLeHeaderAt + 195), "4.9"), 0);
}

TEST(DriverVersion, ResourceUpTo1024BytesIsRead) {
  std::string resource = DriverVersionResource("4, 10");
  resource.resize(kMaxDriverResource, '\0');
  EXPECT_EQ(CompareImage(DriverImage(resource), "4.9"), 1);
  EXPECT_EQ(CompareImage(DriverImage(resource + '\0'), "4.9"), 0);
}

TEST(HeaderVersions, FieldsAtTheirOffsetsAndShortFilesFail) {
  VersionNumber v;
  ASSERT_TRUE(HeaderVersionFromBytes(HeaderImage(0x00020003, 0x00040005), v));
  EXPECT_EQ(v, (VersionNumber{0x00020003, 0x00040005}));
  EXPECT_FALSE(HeaderVersionFromBytes(HeaderImage(1, 2, 147), v));
  // Engine: 0x07D4'03'1A at 84 gives 2004.3.26; the word at 78 is part d.
  ASSERT_TRUE(EngineVersionFromBytes(DatabaseImage(0x07D4031A, 0x0102), v));
  EXPECT_EQ(v, (VersionNumber{2004u << 16 | 3u, 26u << 16 | 0x0102u}));
  EXPECT_FALSE(EngineVersionFromBytes(DatabaseImage(0x07D4031A, 1, 367), v));
}

std::string Changed(std::string image, size_t at, uint32_t value) {
  PutLe32(image, at, value);
  return image;
}

// The fixture's image with its version data (from offset 0x258, address
// 0x1058) in a second section, whose raw data lies elsewhere in the file: the
// first section's raw data ends where the data's address begins.
std::string WithSecondSection(std::string image) {
  const size_t section = 0x40 + 24 + 0xE0, data = 0x258, moved = 0x300;
  const std::string bytes = image.substr(data);
  PutLe32(image, 0x40 + 6, 2);
  PutLe32(image, section + 16, data - 0x200);
  image.replace(section + 40, 40, image.substr(section, 40));
  PutLe32(image, section + 40 + 12, 0x1058);
  PutLe32(image, section + 40 + 16, uint32_t(bytes.size()));
  PutLe32(image, section + 40 + 20, moved);
  image.resize(data);
  image.resize(moved, '\0');
  return image + bytes;
}

TEST(PeVersionResource, ReadsTheFixedFileVersionOnlyFromAWellFormedImage) {
  const std::string good = PeImage(0x00010002, 0x00030004);
  const size_t resourceDirectoryEntry = 0x40 + 24 + 96 + 16;
  const size_t typeEntry = 0x210, nameDirectory = 0x218, valueLength = 0x25A;
  struct Case {
    const char* what;
    std::string image;
    bool found;
    VersionNumber version;
  } cases[] = {
      {"well formed", good, true, {0x00010002, 0x00030004}},
      {"version data in a second section", WithSecondSection(good), true, {0x00010002, 0x00030004}},
      {"no section counted", Changed(good, 0x40 + 6, 0), false, {}},
      {"type entry not marked as a directory", Changed(good, typeEntry + 4, 0x18), false, {}},
      {"a version entry past the directory's count",
       Changed(Changed(Changed(good, typeEntry, 3), nameDirectory, 16), nameDirectory + 4, 0x80000018u), false, {}},
      {"fixed part one byte short", Changed(good, valueLength, 51), true, {}},
      {"resource without fixed part", PeImage(1, 2, false), true, {}},
      {"no MZ", "XZ" + good.substr(2), false, {}},
      {"cut short", good.substr(0, 0x210), false, {}},
      {"only other resource types", Changed(good, 0x200 + 16, 3), false, {}},
      {"resources outside every section", Changed(good, resourceDirectoryEntry, 0x5000), false, {}},
      {"PE header beyond the file", Changed(good, 60, 0x7FFFFFF0), false, {}},
      {"directory loop", Changed(good, 0x200 + 0x18 + 20, 0x80000000u), false, {}},
      {"empty", "", false, {}},
  };
  for (const Case& c : cases) {
    VersionNumber version{9, 9};
    EXPECT_EQ(ReadPeVersionResource(c.image, version), c.found) << c.what;
    EXPECT_EQ(version, c.version) << c.what;
  }
}

TEST(DatabaseNames, FullAndIncrementalNamesInAnyCase) {
  EXPECT_EQ(IsDatabaseFileName("ZMT00012.DAT"), 1);
  EXPECT_EQ(IsDatabaseFileName("zmt00007.dat"), 1);
  EXPECT_EQ(IsDatabaseUpdateName("Zmt00012.uPd"), 1);
  EXPECT_EQ(IsDatabaseFileName("ZMT00012.UPD"), 0);
  EXPECT_EQ(IsDatabaseUpdateName("ZMT00012.DAT"), 0);
  for (const char* name : {"ZMT0A012.DAT", "ZMT00012.DATX", "ZMT0012.DAT", "ZMX00012.DAT", "ZMT00012_DAT", ""})
    EXPECT_EQ(IsDatabaseFileName(name), 0) << name;
  EXPECT_EQ(DatabaseTwinName("ZMT00012.UPD"), "ZMT00012.DAT");
  EXPECT_EQ(DatabaseTwinName("zmt00012.dat"), "zmt00012.UPD");
  EXPECT_EQ(DatabaseTwinName("ZMT9X.EXE"), "ZMT9X.EXE");
}

TEST(DatabaseNames, NumberIgnoresPrefixAndExtension) {
  EXPECT_EQ(DatabaseNumberFromName("abc00123xyzw"), 123);
  EXPECT_EQ(DatabaseNumberFromName("ZMT99999.UPD"), 99999);
  EXPECT_EQ(DatabaseNumberFromName("ZMT00123.D"), -1);
  EXPECT_EQ(DatabaseNumberFromName("ZMT0012a.DAT"), -1);
  EXPECT_EQ(LatestDatabaseNumber({}), 0);
  EXPECT_EQ(LatestDatabaseNumber({"ZMT00012.DAT", "zmt00031.dat", "ZMT00099.UPD", "ZMT00500.DAT.bak"}), 31);
}

// A program folder in memory: name -> version; absent names read as 0.
VersionNumber Probe(int latest, const std::map<std::string, VersionNumber>& files, bool expectFound = true) {
  VersionNumber version{5, 5};
  auto read = [&files](const std::string& name) {
    auto it = files.find(name);
    return it == files.end() ? VersionNumber{} : it->second;
  };
  EXPECT_EQ(InstalledDatabaseVersion(latest, read, version), expectFound);
  return version;
}

TEST(DatabaseRun, UnbrokenRunOfUpdatesAfterTheLatestFullDatabase) {
  std::map<std::string, VersionNumber> files{{"ZMT00012.DAT", {1, 12}}, {"ZMT00013.UPD", {1, 13}},
                                             {"ZMT00014.UPD", {1, 14}}, {"ZMT00016.UPD", {1, 16}},
                                             {"ZMT00011.UPD", {1, 11}}};
  EXPECT_EQ(Probe(12, files), (VersionNumber{1, 14}));
  files["ZMT00014.UPD"] = {};  // unreadable: ends the run like the gap at 15
  EXPECT_EQ(Probe(12, files), (VersionNumber{1, 13}));
}

TEST(DatabaseRun, NoVersionWithoutAReadableFullDatabase) {
  EXPECT_TRUE(Probe(12, {{"ZMT00013.UPD", {1, 13}}}, false).IsZero());
  EXPECT_EQ(Probe(0, {{"ZMT00000.DAT", {0, 1}}}), (VersionNumber{0, 1}));
}

TEST(DatabaseRun, RunEndsAtTheHighestNumberWithoutWrapping) {
  EXPECT_EQ(Probe(99998, {{"ZMT99998.DAT", {2, 0}}, {"ZMT99999.UPD", {2, 1}}, {"ZMT00000.UPD", {9, 9}}}),
            (VersionNumber{2, 1}));
}

}  // namespace
