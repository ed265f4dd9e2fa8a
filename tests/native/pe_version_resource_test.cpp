#include "engine/pe_version_resource.h"

#include <gtest/gtest.h>

#include "../fixtures/fixture_images.h"

using namespace fixtures;

namespace {

std::string Changed(std::string image, size_t at, uint32_t value) {
  PutLe32(image, at, value);
  return image;
}

TEST(PeVersionResource, ReadsTheFixedFileVersionOnlyFromAWellFormedImage) {
  const std::string good = PeImage(0x00010002, 0x00030004);
  const size_t resourceDirectoryEntry = 0x40 + 24 + 96 + 16;
  struct Case {
    const char* what;
    std::string image;
    bool found;
    VersionNumber version;
  } cases[] = {
      {"well formed", good, true, {0x00010002, 0x00030004}},
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

}  // namespace
