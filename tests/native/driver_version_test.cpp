#include "engine/driver_version.h"

#include <gtest/gtest.h>

#include "../fixtures/fixture_images.h"
#include "engine/header_versions.h"

using namespace fixtures;

namespace {

class MemoryBytes : public ByteSource {
 public:
  explicit MemoryBytes(std::string bytes) : bytes_(std::move(bytes)) {}
  std::string ReadAt(uint64_t offset, size_t length) override {
    if (offset >= bytes_.size()) return {};
    return bytes_.substr(size_t(offset), length);
  }

 private:
  std::string bytes_;
};

int CompareImage(const std::string& image, std::string_view text) {
  MemoryBytes bytes(image);
  return CompareDriverVersion(bytes, text);
}

int CompareValue(std::string_view value, std::string_view text) {
  return CompareImage(DriverImage(DriverVersionResource(value)), text);
}

TEST(DriverVersion, CommaPartsAgainstDottedText) {
  EXPECT_EQ(CompareValue("4, 10, 0, 1998", "4.10.0.2000"), -1);
  EXPECT_EQ(CompareValue("4, 10, 0, 1998", "4.10.0.1998"), 0);
  EXPECT_EQ(CompareValue("4, 10, 0, 1998", "4.10"), 0);  // text ran out of parts
  EXPECT_EQ(CompareValue("4, 10, 0, 1998", "4.9"), 1);
  EXPECT_EQ(CompareValue("4, 10, 0, 1998", "5"), -1);
  EXPECT_EQ(CompareValue("4,10,,  ,0,1998", "4.10.0.1999"), -1);  // runs of blanks and commas
  EXPECT_EQ(CompareValue("4, 10", "4.10.0.1"), 0);                // installed ran out of parts
}

TEST(DriverVersion, DottedInstalledValueComparesByItsFirstNumber) {
  EXPECT_EQ(CompareValue("4.10.0.1998", "4.9"), 0);
  EXPECT_EQ(CompareValue("4.10.0.1998", "4.10.0.2000"), 0);
  EXPECT_EQ(CompareValue("4.10.0.1998", "3.99"), 1);
  EXPECT_EQ(CompareValue("4.10.0.1998", "5.0"), -1);
}

TEST(DriverVersion, KeyIsAWholeNulTerminatedTextInAnyCase) {
  EXPECT_EQ(CompareImage(DriverImage(DriverVersionResource("4, 10", "FILEVERSION")), "4.9"), 1);
  EXPECT_EQ(CompareImage(DriverImage(DriverVersionResource("4, 10", "fileversion")), "4.9"), 1);
  // "FileVersions" and the ProductVersion entry are not the key.
  EXPECT_EQ(CompareImage(DriverImage(DriverVersionResource("4, 10", "FileVersions")), "4.9"), 0);
  // Key at the very end of the resource, or followed only by NULs: no value.
  EXPECT_EQ(CompareImage(DriverImage("FileVersion"), "1.0"), 0);
  EXPECT_EQ(CompareImage(DriverImage(std::string("FileVersion\0\0\0", 14)), "1.0"), 0);
  // A value that begins with no digit reads as 0.
  EXPECT_EQ(CompareImage(DriverImage(std::string("FileVersion\0x1", 14)), "1.0"), -1);
}

TEST(DriverVersion, MissingOrBrokenHeadersMeanNotFound) {
  const std::string good = DriverImage(DriverVersionResource("4, 10"));
  ASSERT_EQ(CompareImage(good, "4.9"), 1);

  std::string noMz = good;
  noMz[0] = 'X';
  EXPECT_EQ(CompareImage(noMz, "4.9"), 0);
  std::string notLe = good;
  notLe[kLeHeaderAt + 1] = 'X';  // "LX" is another format
  EXPECT_EQ(CompareImage(notLe, "4.9"), 0);
  EXPECT_EQ(CompareImage(good.substr(0, 63), "4.9"), 0);                 // short MZ header
  EXPECT_EQ(CompareImage(good.substr(0, kLeHeaderAt + 195), "4.9"), 0);  // short LE header
  std::string leOutside = good;
  PutLe32(leOutside, 60, 0xFFFFFF00u);
  EXPECT_EQ(CompareImage(leOutside, "4.9"), 0);
}

TEST(DriverVersion, ResourceOutsideTheFileOrTooLongMeansNotFound) {
  const std::string resource = DriverVersionResource("4, 10");
  std::string beyondEnd = DriverImage(resource);
  PutLe32(beyondEnd, kResourceOffsetField, uint32_t(beyondEnd.size()) - 8);
  EXPECT_EQ(CompareImage(beyondEnd, "4.9"), 0);
  std::string farAway = DriverImage(resource);
  PutLe32(farAway, kResourceOffsetField, 0xFFFFFFF0u);
  EXPECT_EQ(CompareImage(farAway, "4.9"), 0);

  // A resource of exactly 1024 bytes is read; one byte more is not.
  std::string padded = resource + std::string(kMaxDriverResource - resource.size(), '\0');
  EXPECT_EQ(CompareImage(DriverImage(padded), "4.9"), 1);
  EXPECT_EQ(CompareImage(DriverImage(padded + '\0'), "4.9"), 0);
  std::string hugeLength = DriverImage(resource);
  PutLe32(hugeLength, kResourceLengthField, 0xFFFFFFFFu);
  EXPECT_EQ(CompareImage(hugeLength, "4.9"), 0);
}

TEST(HeaderVersions, ProductHeaderFieldsAt60And64) {
  VersionNumber v;
  ASSERT_TRUE(HeaderVersionFromBytes(HeaderImage(0x00020003, 0x00040005), v));
  EXPECT_EQ(v, (VersionNumber{0x00020003, 0x00040005}));
  EXPECT_FALSE(HeaderVersionFromBytes(HeaderImage(1, 2, 147), v));
  EXPECT_TRUE(HeaderVersionFromBytes(HeaderImage(1, 2, 4096), v));
}

TEST(HeaderVersions, EngineVersionSplitsTheFieldAt84) {
  // v = 0x07D4'03'1A: a = 2004, b = 3, c = 26; d = 0x0102 from offset 78.
  VersionNumber v;
  ASSERT_TRUE(EngineVersionFromBytes(DatabaseImage(0x07D4031A, 0x0102), v));
  EXPECT_EQ(v, (VersionNumber{2004u << 16 | 3u, 26u << 16 | 0x0102u}));
  EXPECT_FALSE(EngineVersionFromBytes(DatabaseImage(0x07D4031A, 1, 367), v));
}

}  // namespace
