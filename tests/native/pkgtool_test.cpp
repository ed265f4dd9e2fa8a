// pkgtool's verbs run through RunCli as main() runs them, each test in a
// scratch folder of its own: their files, output and exit status; and the
// built program once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "../fixtures/fixture_images.h"
#include "archive_members.h"
#include "catalog/ini_file.h"
#include "cli.h"
#include "engine/crc32.h"
#include "filetime.h"
#include "package/depack.h"
#include "verbs.h"

namespace fs = std::filesystem;
using namespace fixtures;

namespace {

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes the file, making its folders first.
void WriteBytes(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

struct Outcome {
  int status;
  std::string out, err;
};

// <temp>/pkgtool_<pid>_<test name>: empty when the test starts, removed when it ends.
class Pkgtool : public ::testing::Test {
 protected:
  Pkgtool()
      : dir_(fs::temp_directory_path() / ("pkgtool_" + std::to_string(::getpid()) + "_" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~Pkgtool() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& content) const { WriteBytes(dir_ / name, content); }
  std::string Read(const std::string& name) const { return ReadBytes(dir_ / name); }
  static Outcome Run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
  }
  Outcome Build(const std::string& src, const std::string& out, const std::string& seed = "1") const {
    return Run({"build", "--seed", seed, src, Path(out)});
  }

  const fs::path dir_;
};

const std::string kExample = SKAL_SOURCE_DIR "/examples/skal2003";

TEST_F(Pkgtool, Crc32PrintsUnsignedDecimalAndGoesOnPastAnUnreadableFile) {
  Write("abc.txt", "abc");
  Outcome run = Run({"crc32", Path("abc.txt")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "891568578 " + Path("abc.txt") + "\n");
  EXPECT_EQ(run.err, "");

  Write("empty", "");
  run = Run({"crc32", Path("missing"), Path("empty"), dir_.string()});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.out, "0 " + Path("empty") + "\n");
  EXPECT_NE(run.err.find("missing"), std::string::npos);
  EXPECT_NE(run.err.find("directory"), std::string::npos);
}

TEST_F(Pkgtool, PackThenUnpackGivesTheSameBytesAndAnEmptyFileIsRefused) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "[F" + std::to_string(i) + ".DLL]\r\nCRC=" + std::to_string(i * 7919) + "\r\n";
  Write("index.txt", text);
  ASSERT_EQ(Run({"pack", Path("index.txt"), Path("index.dat")}).status, 0);
  EXPECT_LT(fs::file_size(Path("index.dat")), text.size() / 2);
  Outcome run = Run({"unpack", Path("index.dat"), Path("back.txt")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Read("back.txt"), text);

  Write("empty", "");
  run = Run({"pack", Path("empty"), Path("out.dat")});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("empty"), std::string::npos);
  EXPECT_FALSE(fs::exists(Path("out.dat")));
}

// A damaged file fails and leaves an existing output as it was, with no
// temporary file behind.
TEST_F(Pkgtool, UnpackOfADamagedFileFailsCleanly) {
  Write("plain", std::string(5000, 'z') + "tail");
  ASSERT_EQ(Run({"pack", Path("plain"), Path("good.dat")}).status, 0);
  const std::string packed = Read("good.dat");
  std::string badCrc = packed;
  badCrc[16] ^= 0x40;
  const std::pair<const char*, std::string> damaged[] = {
      {"cut.dat", packed.substr(0, packed.size() - 2)}, {"crc.dat", badCrc}, {"short.dat", packed.substr(0, 50)}};
  for (const auto& [name, bytes] : damaged) {
    SCOPED_TRACE(name);
    Write(name, bytes);
    Write("out.txt", "previous");
    Outcome run = Run({"unpack", Path(name), Path("out.txt")});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find(name), std::string::npos);
    EXPECT_EQ(Read("out.txt"), "previous");
    EXPECT_FALSE(fs::exists(Path("out.txt.partial")));
  }
}

TEST_F(Pkgtool, UsageForNoOrUnknownVerbOrWrongArguments) {
  Outcome none = Run({});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("usage"), std::string::npos);
  EXPECT_NE(none.err.find("crc32"), std::string::npos);
  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"frobnicate"}, {"pack", "onlyone"}, {"crc32"}, {"--version", "x"}})
    EXPECT_EQ(Run(wrong).status, 2) << wrong[0];
}

// Every verb explains itself, and the authors' guide shows the same text.
TEST_F(Pkgtool, HelpOfEveryVerbIsTheTextOfTheAuthorsGuide) {
  const std::string guide = ReadBytes(SKAL_SOURCE_DIR "/docs/package-authors.md");
  Outcome usage = Run({"--help"});
  EXPECT_EQ(usage.status, 0);
  EXPECT_NE(guide.find(usage.out), std::string::npos) << usage.out;
  int verbs = 0;
  for (size_t at = usage.out.find("\n  pkgtool "); at != std::string::npos; at = usage.out.find("\n  pkgtool ", at + 1)) {
    const size_t start = at + 11;
    const std::string verb = usage.out.substr(start, usage.out.find_first_of(" \n", start) - start);
    if (verb == "VERB" || verb.starts_with("--")) continue;
    ++verbs;
    Outcome help = Run({verb, "--help"});
    EXPECT_EQ(help.status, 0) << verb;
    EXPECT_TRUE(help.out.starts_with("usage: pkgtool " + verb + " ")) << help.out;
    EXPECT_NE(help.out.find("exit codes: 0 "), std::string::npos) << verb;
    EXPECT_NE(help.out.find("example: pkgtool " + verb + " "), std::string::npos) << verb;
    EXPECT_NE(guide.find(help.out), std::string::npos) << verb << " --help differs from docs/package-authors.md";
  }
  EXPECT_GE(verbs, 6);
}

// The built program hands its arguments, output and status through.
TEST_F(Pkgtool, TheProgramRunsAsItsCommandLineSays) {
  const std::string command = std::string("'") + PKGTOOL_PATH + "' --version >'" + Path("stdout") + "'";
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 0);
  EXPECT_TRUE(Read("stdout").starts_with("pkgtool ")) << Read("stdout");
  EXPECT_EQ(std::system((std::string("'") + PKGTOOL_PATH + "' frobnicate 2>/dev/null").c_str()) >> 8, 2);
}

TEST_F(Pkgtool, ExampleBuildsAndInspectsCleanAndTheSeedMakesItReproducible) {
  Outcome built = Build(kExample, "a", "42");
  ASSERT_EQ(built.status, kExitOk) << built.err;
  Outcome inspected = Run({"inspect", Path("a")});
  EXPECT_EQ(inspected.status, kExitOk) << inspected.out;
  for (const char* name : {"[ZMT32]", "[ZMEngine]", "[ZMT00012]", "ZMTUPD/ZMTUPD.DAT", "PacketType=Special_DB"})
    EXPECT_NE(inspected.out.find(name), std::string::npos) << name;
  ASSERT_EQ(Build(kExample, "b", "42").status, kExitOk);
  ASSERT_EQ(Build(kExample, "c", "43").status, kExitOk);
  const std::string archive = "/ZMTUPD/ZMTUPD.DAT";
  EXPECT_EQ(Read("a" + archive), Read("b" + archive));
  EXPECT_EQ(Read("a/index.dat"), Read("b/index.dat"));
  EXPECT_NE(Read("a" + archive), Read("c" + archive));
}

TEST_F(Pkgtool, InspectNamesTheDamagedArchive) {
  ASSERT_EQ(Build(kExample, "out").status, kExitOk);
  const std::string good = Read("out/ZMTUPD/ZMTUPD.DAT");
  // The last byte of the data area, then the entry count in the header.
  for (size_t at : {good.size() - 1, size_t(4)}) {
    std::string bad = good;
    bad[at] = char(bad[at] ^ 0x01);
    Write("out/ZMTUPD/ZMTUPD.DAT", bad);
    Outcome inspected = Run({"inspect", Path("out")});
    EXPECT_EQ(inspected.status, kExitFailed) << "byte " << at;
    EXPECT_NE(inspected.out.find("FAULT: ZMTUPD/ZMTUPD.DAT"), std::string::npos) << inspected.out;
  }
}

// A source folder with one item, ZMT32.EXE in files/ZMTUPD/, whose section
// carries `changes` first (they take precedence over the later keys).
class PkgtoolBuild : public Pkgtool {
 protected:
  std::string Source(const std::string& changes, const std::string& section = "ZMT32") const {
    Write("src/catalog.ini", "[COMMENT]\r\nPathName=ZMTUPD\r\n[" + section + "]\r\n" + changes +
                                 "UpdateFileFlag=TRUE\r\nFileName=ZMT32.EXE\r\nVersion=1.0\r\n"
                                 "Reboot=FALSE\r\nRemotePath=ZMTUPD\r\n");
    Write("src/files/ZMTUPD/ZMT32.EXE", "main program");
    return Path("src");
  }
};

TEST_F(PkgtoolBuild, ComputesLeftOutSizeAndCrcAndCopiesFilesOutsideTheArchiveFolder) {
  const std::string src = Source("");
  Write("src/files/readme/NOTE.TXT", "note");
  ASSERT_EQ(Build(src, "out").status, kExitOk);
  EXPECT_EQ(Read("out/readme/NOTE.TXT"), "note");
  const std::string packed = Read("out/index.dat");
  std::vector<unsigned char> text;
  ASSERT_TRUE(UnpackImage(reinterpret_cast<const unsigned char*>(packed.data()), packed.size(), text).ok());
  const std::string catalogue(text.begin(), text.end()), content = "main program";
  EXPECT_NE(catalogue.find("FileSize=" + std::to_string(content.size()) + "\r\n"), std::string::npos) << catalogue;
  EXPECT_NE(catalogue.find("CRC=" + std::to_string(Crc32Update(0, content.data(), content.size())) + "\r\n"),
            std::string::npos);
}

TEST_F(PkgtoolBuild, RefusesItemsThatCannotWorkAndWritesNothing) {
  const struct {
    std::string changes, section, extraFile;  // the file below files/ZMTUPD/
    std::string expected;                     // in the message
  } refusals[] = {
      {"FileName=ZMT9X.EXE\r\n", "ZMT32", "", "item [ZMT32]: source file files/ZMTUPD/ZMT9X.EXE is missing"},
      {"Reboot=\r\n", "ZMT32", "", "item [ZMT32]: Reboot is missing or empty"},
      {"RemotePath=..\r\n", "ZMT32", "", "item [ZMT32]: RemotePath leaves the package folder"},
      {"", "ITEM1", "", "item [ITEM1]: a section named ITEM... is never an item"},
      {"[ZMT32]\r\nFileName=ZMT32.EXE\r\n", "ZMT32", "", "item [ZMT32]: the section name is given twice"},
      {"LocalPath=\r\n", "ZMT32", "", "item [ZMT32]: LocalPath"},
      {"Version=1.2.3.4567890123456789\r\n", "ZMT32", "", "Version is longer than 19"},
      {"", "ABCDEFGHIJKLMNOPQRST", "", "item [ABCDEFGHIJKLMNOPQRST]: the section name"},
      {"CRC=12345\r\n", "ZMT32", "", "item [ZMT32]: CRC 12345 but files/ZMTUPD/ZMT32.EXE"},
      {"FileSize=7\r\n", "ZMT32", "", "item [ZMT32]: FileSize 7"},
      {"FileType=Driver\r\n", "ZMT32", "", "item [ZMT32]: FileType names none"},
      {"", "ZMT32", "ABCDEFGHIJKLMNOPQRSTUVWX.DAT", "files/ZMTUPD/ABCDEFGHIJKLMNOPQRSTUVWX.DAT"},
      {"", "ZMT32", "A:B", "files/ZMTUPD/A:B: the runner refuses"},
  };
  for (const auto& refusal : refusals) {
    fs::remove_all(dir_ / "src");
    const std::string src = Source(refusal.changes, refusal.section);
    if (!refusal.extraFile.empty()) Write("src/files/ZMTUPD/" + refusal.extraFile, "x");
    Outcome built = Build(src, "out");
    EXPECT_EQ(built.status, kExitFailed) << refusal.expected;
    EXPECT_NE(built.err.find(refusal.expected), std::string::npos) << built.err;
    EXPECT_FALSE(fs::exists(dir_ / "out")) << refusal.expected;
    EXPECT_FALSE(fs::exists(dir_ / "out.partial")) << refusal.expected;
  }
  Write("out/old.txt", "old");  // an output folder that holds files
  EXPECT_EQ(Build(Source(""), "out").status, kExitFailed);
  EXPECT_EQ(Read("out/old.txt"), "old");
}

constexpr uint64_t kUnixEpoch = 116444736000000000ull;  // 1970-01-01 in FILETIME ticks
constexpr uint64_t kSecond = 10000000ull;

class PkgtoolExtract : public Pkgtool {
 protected:
  static ArchiveMember Timed(const std::string& name, const std::string& folder, const std::string& data) {
    return Member(name, folder, data, 0x5A5AA5A5,
                  {kUnixEpoch + 1000 * kSecond, kUnixEpoch + 2000 * kSecond + 5, kUnixEpoch + 3000 * kSecond + 7});
  }
  int Extract(const std::vector<unsigned char>& archive) {
    Write("ZMTUPD.DAT", std::string(archive.begin(), archive.end()));
    const Outcome run = Run({"extract", Path("ZMTUPD.DAT"), Path("dest")});
    err_ = run.err;
    return run.status;
  }
  std::string err_;
};

TEST_F(PkgtoolExtract, WritesFoldersDataAndTimes) {
  const std::string big(40000, 'b');
  const std::string gbk = "\x81\x5C.txt";  // a trail byte 0x5C stays part of the name
  ASSERT_EQ(Extract(BuildOrFail({Timed("A.DAT", "", "aaa"), Timed("BIG.BIN", "x\\y", big), Timed(gbk, "", "")})), 0)
      << err_;
  // Times first: reading the file may move its access time.
  struct stat info;
  ASSERT_EQ(::stat(Path("dest/A.DAT").c_str(), &info), 0);
  EXPECT_EQ(info.st_atim.tv_sec, 2000);
  EXPECT_EQ(info.st_atim.tv_nsec, 500);
  EXPECT_EQ(info.st_mtim.tv_sec, 3000);
  EXPECT_EQ(info.st_mtim.tv_nsec, 700);
  EXPECT_EQ(Read("dest/A.DAT"), "aaa");
  EXPECT_EQ(Read("dest/x/y/BIG.BIN"), big);
  EXPECT_TRUE(fs::exists(dir_ / "dest" / gbk));
}

TEST_F(PkgtoolExtract, RefusesAHostileEntryAndWritesNothingOutside) {
  std::vector<unsigned char> archive = BuildOrFail({Timed("A.DAT", "", "a"), Timed("B.DAT", "", "b")});
  std::memcpy(archive.data() + RecordOffset(1) + kRecordFolderOffset, "..\\..", 6);
  EXPECT_EQ(Extract(archive), kExitFailed);
  EXPECT_NE(err_.find("entry 1"), std::string::npos) << err_;
  EXPECT_TRUE(fs::exists(dir_ / "dest" / "A.DAT"));
  size_t entries = std::distance(fs::recursive_directory_iterator(dir_), fs::recursive_directory_iterator());
  EXPECT_EQ(entries, 3u);  // ZMTUPD.DAT, dest, dest/A.DAT
}

// /dev/full takes a small file into the stream's buffer and fails its flush
// at the close; a large one fails while it is written.
TEST_F(PkgtoolExtract, AFailedWriteOrCloseFailsAndNamesTheFile) {
  for (const std::string& data : {std::string("aaa"), std::string(100000, 'b')}) {
    fs::remove_all(dir_ / "dest");
    fs::create_directories(dir_ / "dest");
    fs::create_symlink("/dev/full", dir_ / "dest" / "A.DAT");
    EXPECT_EQ(Extract(BuildOrFail({Timed("A.DAT", "", data)})), kExitFailed) << data.size();
    EXPECT_NE(err_.find("cannot write the output file " + Path("dest/A.DAT")), std::string::npos) << err_;
  }
}

TEST(FileTimeToUnix, CountsFromTheUnixEpochAndFloorsBeforeIt) {
  UnixTime time;
  ASSERT_TRUE(FileTimeToUnix(kUnixEpoch + 3 * kSecond + 1, time));
  EXPECT_EQ(time.seconds, 3);
  EXPECT_EQ(time.nanoseconds, 100);
  ASSERT_TRUE(FileTimeToUnix(kUnixEpoch - 1, time));  // 100 ns before 1970
  EXPECT_EQ(time.seconds, -1);
  EXPECT_EQ(time.nanoseconds, 999999900);
  ASSERT_TRUE(FileTimeToUnix(0, time));
  EXPECT_EQ(time.seconds, -11644473600);
  EXPECT_FALSE(FileTimeToUnix(0x8000000000000000ull, time));
}

const std::string kGbkName = "\xD6\xD0\xCE\xC4.txt";  // 中文.txt in code page 936

// The installed product (old/) and the new build (new/): every kind of
// file, changed, new, unchanged and gone.
class PkgtoolHarvest : public Pkgtool {
 protected:
  void SetUp() override {
    const std::pair<std::string, std::string> installed[] = {
        {"ZMT32.EXE", PeImage(0x00040000, 0x00000001)},
        {"ZMTVXD.VXD", DriverImage(DriverVersionResource("4, 10, 0, 1998"))},
        {"OLDVXD.VXD", DriverImage(DriverVersionResource("5, 0"))},
        {"ZMT00012.DAT", DatabaseImage(0x07D30B14, 12)},
        {"Data.ini", "a=1"}, {"Same.txt", "unchanged"}, {"Gone.txt", "only installed"}, {kGbkName, "old"}};
    const std::pair<std::string, std::string> built[] = {
        {"ZMT32.EXE", PeImage(0x00040000, 0x00000002)},
        {"Big.dll", PeImage(0xFFFFFFFF, 0xFFFFFFFF)},  // 65535.65535.65535.65535 is too long for Version
        {"ZMTVXD.VXD", DriverImage(DriverVersionResource("4, 10, 0, 2000"))},
        {"OLDVXD.VXD", DriverImage(DriverVersionResource("4, 0"))},
        {"ZMT00013.DAT", DatabaseImage(0x07D30C01, 13)},
        {"ZMT00013.UPD", DatabaseImage(0x07D30C02, 14)},
        {"data.INI", "a=2"}, {"Same.txt", "unchanged"}, {kGbkName, "new"},
        {"Sub/Deeper/ZMT00001.DAT", "not a database of the program folder"},
        {"Sub/Help.txt", "help"}, {"Empty.txt", ""}};
    for (const auto& [name, bytes] : installed) Write("old/" + name, bytes);
    for (const auto& [name, bytes] : built) Write("new/" + name, bytes);
    // Whole seconds: a package keeps times in 100 ns steps.
    for (const auto& entry : fs::recursive_directory_iterator(dir_ / "new"))
      if (entry.is_regular_file()) fs::last_write_time(entry.path(), fs::file_time_type() + std::chrono::hours(300000));
  }

  Outcome Harvest(const std::string& src, std::vector<std::string> options = {}) const {
    options.insert(options.begin(), "harvest");
    for (const char* tree : {"old", "new", src.c_str()}) options.push_back(Path(tree));
    return Run(options);
  }
  // The keys of each item, "CheckVersionMethod|Version|OldVersion|RemotePath|LocalPath|FileType|CallBy|Reboot",
  // by FileName.
  std::map<std::string, std::string> Items(const std::string& src) const {
    const IniFile ini(Read(src + "/catalog.ini"));
    std::map<std::string, std::string> items;
    for (const std::string& section : ini.AllSectionNames()) {
      if (section[0] != 'F') continue;
      std::string& keys = items[ini.ReadString(section, "FileName", "", 300)];
      for (const char* key : {"CheckVersionMethod", "Version", "OldVersion", "RemotePath", "LocalPath", "FileType",
                              "CallBy", "Reboot"})
        keys += (keys.empty() ? "" : "|") + ini.ReadString(section, key, "", 300);
    }
    return items;
  }
};

TEST_F(PkgtoolHarvest, TakesEveryNewOrChangedFileWithItsCheck) {
  Outcome run = Harvest("src");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::map<std::string, std::string> expected = {
      {"ZMT32.EXE", "0|4.0.0.2||ZMTUPD|%PROGRAMDIR%|Program||FALSE"},
      {"ZMTVXD.VXD", "0|4.10.0.2000||ZMTUPD|%PROGRAMDIR%|Program||FALSE"},
      {"OLDVXD.VXD", "3|0||ZMTUPD|%PROGRAMDIR%|Program||FALSE"},  // installed driver newer: by CRC
      {"Big.dll", "3|0||ZMTUPD|%PROGRAMDIR%|Program||FALSE"},
      {"ZMT00013.DAT", "7|2003.12.1.13|2003.11.20.12|ZMTUPD|%PROGRAMDIR%|SIGN||FALSE"},
      {"ZMT00013.UPD", "7|2003.12.2.14|2003.11.20.12|ZMTUPD|%PROGRAMDIR%|SIGN||FALSE"},
      {"data.INI", "3|0||ZMTUPD|%PROGRAMDIR%|Program||FALSE"},
      {kGbkName, "3|0||ZMTUPD|%PROGRAMDIR%|Program||FALSE"},
      {"ZMT00001.DAT", "3|0||ZMTUPD\\Sub\\Deeper|%PROGRAMDIR\\Sub\\Deeper%|Program||FALSE"},
      {"Help.txt", "3|0||ZMTUPD\\Sub|%PROGRAMDIR\\Sub%|Program||FALSE"},
  };
  EXPECT_EQ(Items("src"), expected);
  // The files keep the new build's bytes and times; installed files left behind are named.
  EXPECT_EQ(Read("src/files/ZMTUPD/Sub/Help.txt"), "help");
  EXPECT_EQ(fs::last_write_time(Path("src/files/ZMTUPD/Sub/Help.txt")), fs::last_write_time(Path("new/Sub/Help.txt")));
  EXPECT_FALSE(fs::exists(Path("src/files/ZMTUPD/Same.txt")));
  EXPECT_NE(run.err.find("Gone.txt is installed but not in the new build"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("Empty.txt is empty"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("ZMT00012.DAT"), std::string::npos) << "the runner removes it as superseded";
  // Deterministic, and a package build takes as it is.
  ASSERT_EQ(Harvest("again").status, 0);
  EXPECT_EQ(Read("src/catalog.ini"), Read("again/catalog.ini"));
  Outcome built = Build(Path("src"), "out");
  ASSERT_EQ(built.status, 0) << built.err;
  // The package's archive holds each harvested file with the new build's bytes and time, where the runner puts it.
  Outcome unpacked = Run({"extract", Path("out/ZMTUPD/ZMTUPD.DAT"), Path("unpacked")});
  ASSERT_EQ(unpacked.status, 0) << unpacked.err;
  size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir_ / "unpacked")) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const fs::path fresh = dir_ / "new" / entry.path().lexically_relative(dir_ / "unpacked");
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(fresh)) << fresh;
    EXPECT_EQ(entry.last_write_time(), fs::last_write_time(fresh)) << fresh;
  }
  EXPECT_EQ(files, expected.size());
}

TEST_F(PkgtoolHarvest, RulesGiveTheSectionsTypesComponentsAndRestarts) {
  Write("rules.ini",
        "[COMMENT]\r\nPacketType=General_PFW\r\nPathName=PKG\\UPD\r\n"
        "[FileType]\r\nTypeName0=Program\r\nDescript0=p\r\nTypeName1=Data\r\nDescript1=d\r\nTypeName2=SIGN\r\nDescript2=s\r\n"
        "[ExitType]\r\nFileName0=ZMT32.EXE\r\nExitType0=1\r\nUID0=1\r\nStopParam0=/quit\r\n"
        "[Harvest]\r\nPattern0=zmt*.exe\r\nCallBy0=ZMT32.EXE,\r\nReboot0=TRUE\r\n"
        "Pattern1=Sub\\*.txt\r\nFileType1=Data\r\nPattern2=*.txt\r\nFileType2=Program\r\n");
  Outcome run = Harvest("src", {"--rules", Path("rules.ini")});
  ASSERT_EQ(run.status, 0) << run.err;
  auto items = Items("src");
  EXPECT_EQ(items["ZMT32.EXE"], "0|4.0.0.2||PKG\\UPD|%PROGRAMDIR%|Program|ZMT32.EXE,|TRUE");
  EXPECT_EQ(items["Help.txt"], "3|0||PKG\\UPD\\Sub|%PROGRAMDIR\\Sub%|Data||FALSE");
  EXPECT_EQ(items[kGbkName], "3|0||PKG\\UPD|%PROGRAMDIR%|Program||FALSE");
  EXPECT_EQ(items["data.INI"], "3|0||PKG\\UPD|%PROGRAMDIR%|Program||FALSE");
  const std::string catalogue = Read("src/catalog.ini");
  EXPECT_NE(catalogue.find("PacketType=General_PFW\r\n"), std::string::npos);
  EXPECT_NE(catalogue.find("StopParam0=/quit\r\n"), std::string::npos);
  EXPECT_EQ(catalogue.find("Pattern0"), std::string::npos);
  EXPECT_TRUE(fs::exists(Path("src/files/PKG/UPD/Sub/Help.txt")));
}

TEST_F(PkgtoolHarvest, RefusesWhatItCannotWriteOrBuildWouldRefuse) {
  Write("used/keep.txt", "mine");
  EXPECT_EQ(Harvest("used").status, 1);
  EXPECT_EQ(Read("used/keep.txt"), "mine");
  EXPECT_FALSE(fs::exists(Path("used/catalog.ini")));
  EXPECT_EQ(Harvest("used", {"--force"}).status, 0);
  EXPECT_TRUE(fs::exists(Path("used/catalog.ini")));

  Write("new/CON.txt", "a device name");  // the archive cannot hold it
  Outcome refused = Harvest("bad");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("CON.txt"), std::string::npos) << refused.err;

  fs::remove_all(dir_ / "old");
  fs::copy(dir_ / "new", dir_ / "old", fs::copy_options::recursive);
  Outcome same = Harvest("none");
  EXPECT_EQ(same.status, 1);
  EXPECT_NE(same.err.find("nothing to harvest"), std::string::npos);
  EXPECT_EQ(Harvest("x", {"--rules"}).status, 2);
}

}  // namespace
