#include "engine/driver_version.h"

#include <gtest/gtest.h>

#include "../fixtures/fixture_images.h"
#include "engine/header_versions.h"
#include "engine/memory_byte_source.h"

using namespace fixtures;

namespace {

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
    if (!text.empty()) {
      EXPECT_EQ(CompareValue(value, text), 0) << value;
    }
  }
  const std::string header = HeaderImage(1, 2);
  MemoryByteSource notDriver(header);
  EXPECT_EQ(DriverVersionText(notDriver), "");
}

TEST(DriverVersion, CommaPartsAgainstDottedText) {
  EXPECT_EQ(CompareValue("4, 10, 0, 1998", "4.10.0.2000"), -1);
  EXPECT_EQ(CompareValue("4, 10, 0, 1998", "4.10"), 0);  // text ran out of parts
  EXPECT_EQ(CompareValue("4, 10, 0, 1998", "4.9"), 1);
  EXPECT_EQ(CompareValue("4,10,,  ,0,1998", "4.10.0.1999"), -1);
  EXPECT_EQ(CompareValue("4, 10", "4.10.0.1"), 0);  // installed ran out of parts
  // Dots do not separate installed parts: only the first number counts.
  EXPECT_EQ(CompareValue("4.10.0.1998", "4.9"), 0);
  EXPECT_EQ(CompareValue("4.10.0.1998", "3.99"), 1);
}

TEST(DriverVersion, KeyIsAWholeNulTerminatedTextInAnyCase) {
  EXPECT_EQ(CompareValue("4, 10", "4.9", "FILEVERSION"), 1);
  EXPECT_EQ(CompareValue("4, 10", "4.9", "fileversion"), 1);
  // Neither "FileVersions" nor the ProductVersion entry before it is the key.
  EXPECT_EQ(CompareValue("4, 10", "4.9", "FileVersions"), 0);
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

}  // namespace
