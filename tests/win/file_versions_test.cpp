#include "engine/file_versions_win.h"

#include <gtest/gtest.h>

#include "../fixtures/fixture_images.h"
#include "versions/version_texts_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// Built by tests/fixtures: product version 4.0.0.5, file version 1.2.3.4.
std::string FixtureDll() { return ProgramFolder() + "verfixture.dll"; }

TEST(ReadResourceVersion, ProductVersionNotFileVersion) {
  VersionNumber version;
  ASSERT_TRUE(ReadResourceVersion(FixtureDll(), version));
  EXPECT_EQ(version, (VersionNumber{4u << 16, 5}));
  EXPECT_EQ(FileVersionText(FixtureDll()), "4.5");
}

TEST(ReadResourceVersion, FilesWithoutVersionResource) {
  std::string folder = MakeScratchFolder("noresource");
  ASSERT_TRUE(WriteWholeFile(folder + "plain.dll", std::string(4096, 'p')));
  VersionNumber version{7, 7};
  EXPECT_FALSE(ReadResourceVersion(folder + "plain.dll", version));
  EXPECT_TRUE(version.IsZero());
  EXPECT_FALSE(ReadResourceVersion(folder + "missing.dll", version));
  EXPECT_EQ(FileVersionText(folder + "plain.dll"), "0.1");
  EXPECT_EQ(FileVersionText(folder + "missing.dll"), "0.1");
}

TEST(ReadFileVersion, ReaderByMethodAndNothingWithoutAFile) {
  std::string folder = MakeScratchFolder("bymethod");
  ASSERT_TRUE(WriteWholeFile(folder + "header.bin", fixtures::HeaderImage(0x00020003, 0x00040005)));
  ASSERT_TRUE(WriteWholeFile(folder + "short.bin", fixtures::HeaderImage(1, 1, 147)));
  ASSERT_TRUE(CreateDirectoryA((folder + "sub").c_str(), nullptr));
  VersionNumber version;

  ASSERT_TRUE(ReadFileVersion(FixtureDll(), 0, version));
  EXPECT_EQ(version, (VersionNumber{4u << 16, 5}));
  EXPECT_FALSE(ReadFileVersion(folder + "header.bin", 0, version));

  ASSERT_TRUE(ReadFileVersion(folder + "header.bin", 1, version));
  EXPECT_EQ(version, (VersionNumber{0x00020003, 0x00040005}));
  EXPECT_FALSE(ReadFileVersion(folder + "short.bin", 1, version));

  // Methods without a reader succeed with version 0 for any existing file.
  EXPECT_TRUE(ReadFileVersion(folder + "short.bin", 6, version));
  EXPECT_TRUE(version.IsZero());
  for (int method : {0, 1, 6}) {
    EXPECT_FALSE(ReadFileVersion(folder + "missing.bin", method, version)) << method;
    EXPECT_FALSE(ReadFileVersion(folder + "sub", method, version)) << method;
  }
}

TEST(HeaderAndEngineVersions, ReadFromTheFileStart) {
  std::string folder = MakeScratchFolder("headers");
  ASSERT_TRUE(WriteWholeFile(folder + "prog.exe", fixtures::HeaderImage(0x00050001, 0x00000002, 8192)));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00012.DAT", fixtures::DatabaseImage(0x07D4031A, 7)));
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT00013.DAT", fixtures::DatabaseImage(0x07D4031A, 7, 200)));
  VersionNumber version;
  ASSERT_TRUE(ReadEngineVersion(folder + "ZMT00012.DAT", version));
  EXPECT_EQ(version, (VersionNumber{2004u << 16 | 3, 26u << 16 | 7}));
  EXPECT_FALSE(ReadEngineVersion(folder + "ZMT00013.DAT", version));
  EXPECT_FALSE(ReadEngineVersion(folder + "missing.DAT", version));

  std::string text = "unchanged";
  EXPECT_EQ(HeaderVersionText(folder + "prog.exe", text), 1);
  EXPECT_EQ(text, "5.1.2");
  text = "unchanged";
  EXPECT_EQ(HeaderVersionText(folder + "ZMT00013.DAT", text), 1);  // 200 bytes hold a header
  text = "unchanged";
  EXPECT_EQ(HeaderVersionText(folder + "missing.exe", text), 0);
  EXPECT_EQ(text, "unchanged");
}

TEST(CompareVxdVersion, GeneratedDriverFiles) {
  std::string folder = MakeScratchFolder("vxd");
  std::string driver = folder + "VMM32.VXD";
  ASSERT_TRUE(WriteWholeFile(driver, fixtures::DriverImage(fixtures::DriverVersionResource("4, 10, 0, 1998"))));
  // The system's version functions find nothing in it: only the driver scan does.
  VersionNumber ignored;
  ASSERT_FALSE(ReadResourceVersion(driver, ignored));

  EXPECT_EQ(CompareVxdVersion(driver, "4.10.0.2000"), -1);
  EXPECT_EQ(CompareVxdVersion(driver, "4.10"), 0);
  EXPECT_EQ(CompareVxdVersion(driver, "4.9"), 1);
  EXPECT_EQ(CompareVxdVersion(folder + "missing.vxd", "4.9"), 0);

  // A resource that runs past the end of the file is not read.
  std::string cut = fixtures::DriverImage(fixtures::DriverVersionResource("4, 10, 0, 1998"));
  cut.resize(fixtures::kResourceAt + 40);
  ASSERT_TRUE(WriteWholeFile(folder + "CUT.VXD", cut));
  EXPECT_EQ(CompareVxdVersion(folder + "CUT.VXD", "4.9"), 0);
}

}  // namespace
