// pkgtool build and inspect: the example package round trip, damage found by
// inspect, reproducible output, and the catalogues build refuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "scratch_folder.h"
#include "engine/crc32.h"
#include "package/depack.h"

namespace fs = std::filesystem;

namespace {

class PkgtoolBuild : public ::testing::Test {
 protected:
  VerbOutcome Build(const fs::path& src, const std::string& out, const std::string& seed = "1") {
    return RunVerb(RunBuild, {"--seed", seed, src.string(), (dir_ / out).string()});
  }
  VerbOutcome Inspect(const std::string& out) { return RunVerb(RunInspect, {(dir_ / out).string()}); }
  // A source folder with one item, ZMT32.EXE in files/ZMTUPD/, whose section
  // carries `changes` first (they take precedence over the later keys).
  fs::path Source(const std::string& changes, const std::string& section = "ZMT32") {
    const fs::path src = dir_ / "src";
    WriteBytes(src / "catalog.ini", "[COMMENT]\r\nPathName=ZMTUPD\r\n[" + section + "]\r\n" + changes +
                                   "UpdateFileFlag=TRUE\r\nFileName=ZMT32.EXE\r\nVersion=1.0\r\n"
                                   "Reboot=FALSE\r\nRemotePath=ZMTUPD\r\n");
    WriteBytes(src / "files" / "ZMTUPD" / "ZMT32.EXE", "main program");
    return src;
  }

  ScratchFolder scratch_{"pkgtool_build"};
  const fs::path dir_ = scratch_.Path();
};

const fs::path kExample = fs::path(SKAL_SOURCE_DIR) / "examples" / "skal2003";

TEST_F(PkgtoolBuild, ExampleBuildsAndInspectsClean) {
  VerbOutcome built = Build(kExample, "out");
  ASSERT_EQ(built.status, kExitOk) << built.err;
  VerbOutcome inspected = Inspect("out");
  EXPECT_EQ(inspected.status, kExitOk) << inspected.out;
  for (const char* name : {"[ZMT32]", "[ZMEngine]", "[ZMT00012]", "ZMTUPD/ZMTUPD.DAT", "PacketType=Special_DB"})
    EXPECT_NE(inspected.out.find(name), std::string::npos) << name;
  EXPECT_TRUE(fs::is_regular_file(dir_ / "out" / "ZMTUPD" / "ZMTUPD.DAT"));
}

TEST_F(PkgtoolBuild, ComputesLeftOutSizeAndCrcAndCopiesFilesOutsideTheArchiveFolder) {
  const fs::path src = Source("");
  WriteBytes(src / "files" / "readme" / "NOTE.TXT", "note");
  ASSERT_EQ(Build(src, "out").status, kExitOk);
  EXPECT_EQ(ReadBytes(dir_ / "out" / "readme" / "NOTE.TXT"), "note");
  const std::string packed = ReadBytes(dir_ / "out" / "index.dat");
  std::vector<unsigned char> text;
  ASSERT_TRUE(UnpackImage(reinterpret_cast<const unsigned char*>(packed.data()), packed.size(), text).ok());
  const std::string catalogue(text.begin(), text.end());
  const std::string content = "main program";
  EXPECT_NE(catalogue.find("FileSize=" + std::to_string(content.size()) + "\r\n"), std::string::npos) << catalogue;
  EXPECT_NE(catalogue.find("CRC=" + std::to_string(Crc32Update(0, content.data(), content.size())) + "\r\n"),
            std::string::npos);
}

TEST_F(PkgtoolBuild, InspectNamesTheDamagedArchive) {
  ASSERT_EQ(Build(kExample, "out").status, kExitOk);
  const fs::path archive = dir_ / "out" / "ZMTUPD" / "ZMTUPD.DAT";
  const std::string good = ReadBytes(archive);
  // The last byte of the data area, then the entry count in the header.
  for (size_t at : {good.size() - 1, size_t(4)}) {
    std::string bad = good;
    bad[at] = char(bad[at] ^ 0x01);
    WriteBytes(archive, bad);
    VerbOutcome inspected = Inspect("out");
    EXPECT_EQ(inspected.status, kExitFailed) << "byte " << at;
    EXPECT_NE(inspected.out.find("FAULT: ZMTUPD/ZMTUPD.DAT"), std::string::npos) << inspected.out;
  }
}

TEST_F(PkgtoolBuild, SeedMakesTheOutputReproducible) {
  ASSERT_EQ(Build(kExample, "a", "42").status, kExitOk);
  ASSERT_EQ(Build(kExample, "b", "42").status, kExitOk);
  ASSERT_EQ(Build(kExample, "c", "43").status, kExitOk);
  const fs::path archive = fs::path("ZMTUPD") / "ZMTUPD.DAT";
  EXPECT_EQ(ReadBytes(dir_ / "a" / archive), ReadBytes(dir_ / "b" / archive));
  EXPECT_EQ(ReadBytes(dir_ / "a" / "index.dat"), ReadBytes(dir_ / "b" / "index.dat"));
  EXPECT_NE(ReadBytes(dir_ / "a" / archive), ReadBytes(dir_ / "c" / archive));
}

struct Refusal {
  const char* what;
  std::string changes;
  std::string section;
  std::string extraFile;  // below files/ZMTUPD/
  std::string expected;   // in the message
};

TEST_F(PkgtoolBuild, RefusesItemsThatCannotWorkAndWritesNothing) {
  const Refusal refusals[] = {
      {"missing file", "FileName=ZMT9X.EXE\r\n", "ZMT32", "", "item [ZMT32]: source file files/ZMTUPD/ZMT9X.EXE is missing"},
      {"required key", "Reboot=\r\n", "ZMT32", "", "item [ZMT32]: Reboot is missing or empty"},
      {"climbing RemotePath", "RemotePath=..\r\n", "ZMT32", "", "item [ZMT32]: RemotePath leaves the package folder"},
      {"ITEM section marked", "", "ITEM1", "", "item [ITEM1]: a section named ITEM... is never an item"},
      {"section twice", "[ZMT32]\r\nFileName=ZMT32.EXE\r\n", "ZMT32", "", "item [ZMT32]: the section name is given twice"},
      {"empty LocalPath", "LocalPath=\r\n", "ZMT32", "", "item [ZMT32]: LocalPath"},
      {"over its limit", "Version=1.2.3.4567890123456789\r\n", "ZMT32", "", "Version is longer than 19"},
      {"long section name", "", "ABCDEFGHIJKLMNOPQRST", "", "item [ABCDEFGHIJKLMNOPQRST]: the section name"},
      {"wrong CRC", "CRC=12345\r\n", "ZMT32", "", "item [ZMT32]: CRC 12345 but files/ZMTUPD/ZMT32.EXE"},
      {"wrong size", "FileSize=7\r\n", "ZMT32", "", "item [ZMT32]: FileSize 7"},
      {"unknown type", "FileType=Driver\r\n", "ZMT32", "", "item [ZMT32]: FileType names none"},
      {"long entry name", "", "ZMT32", "ABCDEFGHIJKLMNOPQRSTUVWX.DAT", "files/ZMTUPD/ABCDEFGHIJKLMNOPQRSTUVWX.DAT"},
      {"refused entry name", "", "ZMT32", "A:B", "files/ZMTUPD/A:B: the runner refuses"},
  };
  for (const Refusal& refusal : refusals) {
    fs::remove_all(dir_ / "src");
    const fs::path src = Source(refusal.changes, refusal.section);
    if (!refusal.extraFile.empty()) WriteBytes(src / "files" / "ZMTUPD" / refusal.extraFile, "x");
    VerbOutcome built = Build(src, "out");
    EXPECT_EQ(built.status, kExitFailed) << refusal.what;
    EXPECT_NE(built.err.find(refusal.expected), std::string::npos) << refusal.what << ": " << built.err;
    EXPECT_FALSE(fs::exists(dir_ / "out")) << refusal.what;
    EXPECT_FALSE(fs::exists(dir_ / "out.partial")) << refusal.what;
  }
}

TEST_F(PkgtoolBuild, RefusesAnOutputFolderThatHoldsFiles) {
  WriteBytes(dir_ / "out" / "old.txt", "old");
  VerbOutcome built = Build(Source(""), "out");
  EXPECT_EQ(built.status, kExitFailed);
  EXPECT_EQ(ReadBytes(dir_ / "out" / "old.txt"), "old");
}

}  // namespace
