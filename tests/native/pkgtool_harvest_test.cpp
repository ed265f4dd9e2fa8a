// pkgtool harvest over generated product trees: which files it takes, the
// check it proposes for each, the rules file, and the source build accepts.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "scratch_folder.h"
#include "../fixtures/fixture_images.h"
#include "catalog/ini_file.h"

namespace fs = std::filesystem;
using namespace fixtures;

namespace {

const std::string kGbkName = "\xD6\xD0\xCE\xC4.txt";  // 中文.txt in code page 936

class PkgtoolHarvest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The installed product and the new build: every kind of file, changed,
    // new, unchanged and gone.
    Old("ZMT32.EXE", PeImage(0x00040000, 0x00000001));
    New("ZMT32.EXE", PeImage(0x00040000, 0x00000002));
    New("Big.dll", PeImage(0xFFFFFFFF, 0xFFFFFFFF));  // 65535.65535.65535.65535 is too long for Version
    Old("ZMTVXD.VXD", DriverImage(DriverVersionResource("4, 10, 0, 1998")));
    New("ZMTVXD.VXD", DriverImage(DriverVersionResource("4, 10, 0, 2000")));
    Old("OLDVXD.VXD", DriverImage(DriverVersionResource("5, 0")));
    New("OLDVXD.VXD", DriverImage(DriverVersionResource("4, 0")));
    Old("ZMT00012.DAT", DatabaseImage(0x07D30B14, 12));
    New("ZMT00013.DAT", DatabaseImage(0x07D30C01, 13));
    New("ZMT00013.UPD", DatabaseImage(0x07D30C02, 14));
    Old("Data.ini", "a=1");
    New("data.INI", "a=2");
    Old("Same.txt", "unchanged");
    New("Same.txt", "unchanged");
    Old("Gone.txt", "only installed");
    Old(kGbkName, "old");
    New(kGbkName, "new");
    New("Sub/Deeper/ZMT00001.DAT", "not a database of the program folder");
    New("Sub/Help.txt", "help");
    New("Empty.txt", "");
    // Whole seconds: a package keeps times in 100 ns steps.
    for (const auto& entry : fs::recursive_directory_iterator(dir_ / "new"))
      if (entry.is_regular_file()) fs::last_write_time(entry.path(), fs::file_time_type() + std::chrono::hours(300000));
  }

  void Old(const std::string& name, const std::string& bytes) const { WriteBytes(dir_ / "old" / name, bytes); }
  void New(const std::string& name, const std::string& bytes) const { WriteBytes(dir_ / "new" / name, bytes); }
  VerbOutcome Harvest(const std::string& src, VerbArgs options = {}) const {
    for (const char* tree : {"old", "new"}) options.push_back((dir_ / tree).string());
    options.push_back((dir_ / src).string());
    return RunVerb(RunHarvest, options);
  }
  // Item key values by FileName.
  std::map<std::string, std::map<std::string, std::string>> Items(const std::string& src) const {
    const IniFile ini(ReadBytes(dir_ / src / "catalog.ini"));
    std::map<std::string, std::map<std::string, std::string>> items;
    for (const std::string& section : ini.AllSectionNames()) {
      if (section[0] != 'F') continue;
      auto& keys = items[ini.ReadString(section, "FileName", "", 300)];
      for (const char* key : {"CheckVersionMethod", "Version", "OldVersion", "RemotePath", "LocalPath", "FileType",
                              "CallBy", "Reboot"})
        keys[key] = ini.ReadString(section, key, "", 300);
    }
    return items;
  }

  ScratchFolder scratch_{"pkgtool_harvest"};
  const fs::path dir_ = scratch_.Path();
};

TEST_F(PkgtoolHarvest, TakesEveryNewOrChangedFileWithItsCheck) {
  VerbOutcome run = Harvest("src");
  ASSERT_EQ(run.status, 0) << run.err;
  auto items = Items("src");
  struct Expected {
    std::string name, method, version, oldVersion, remote, local, type;
  } expected[] = {
      {"ZMT32.EXE", "0", "4.0.0.2", "", "ZMTUPD", "%PROGRAMDIR%", "Program"},
      {"ZMTVXD.VXD", "0", "4.10.0.2000", "", "ZMTUPD", "%PROGRAMDIR%", "Program"},
      {"OLDVXD.VXD", "3", "0", "", "ZMTUPD", "%PROGRAMDIR%", "Program"},  // installed driver newer: by CRC
      {"Big.dll", "3", "0", "", "ZMTUPD", "%PROGRAMDIR%", "Program"},
      {"ZMT00013.DAT", "7", "2003.12.1.13", "2003.11.20.12", "ZMTUPD", "%PROGRAMDIR%", "SIGN"},
      {"ZMT00013.UPD", "7", "2003.12.2.14", "2003.11.20.12", "ZMTUPD", "%PROGRAMDIR%", "SIGN"},
      {"data.INI", "3", "0", "", "ZMTUPD", "%PROGRAMDIR%", "Program"},
      {kGbkName, "3", "0", "", "ZMTUPD", "%PROGRAMDIR%", "Program"},
      {"ZMT00001.DAT", "3", "0", "", "ZMTUPD\\Sub\\Deeper", "%PROGRAMDIR\\Sub\\Deeper%", "Program"},
      {"Help.txt", "3", "0", "", "ZMTUPD\\Sub", "%PROGRAMDIR\\Sub%", "Program"},
  };
  EXPECT_EQ(items.size(), std::size(expected));
  for (const Expected& e : expected) {
    auto& keys = items[e.name];
    EXPECT_EQ(keys["CheckVersionMethod"], e.method) << e.name;
    EXPECT_EQ(keys["Version"], e.version) << e.name;
    EXPECT_EQ(keys["OldVersion"], e.oldVersion) << e.name;
    EXPECT_EQ(keys["RemotePath"], e.remote) << e.name;
    EXPECT_EQ(keys["LocalPath"], e.local) << e.name;
    EXPECT_EQ(keys["FileType"], e.type) << e.name;
    EXPECT_EQ(keys["Reboot"], "FALSE") << e.name;
  }
  // The files keep the new build's bytes and times; installed files left behind are named.
  EXPECT_EQ(ReadBytes(dir_ / "src/files/ZMTUPD/Sub/Help.txt"), "help");
  EXPECT_EQ(fs::last_write_time(dir_ / "src/files/ZMTUPD/Sub/Help.txt"),
            fs::last_write_time(dir_ / "new/Sub/Help.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "src/files/ZMTUPD/Same.txt"));
  EXPECT_NE(run.err.find("Gone.txt is installed but not in the new build"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("Empty.txt is empty"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("ZMT00012.DAT"), std::string::npos) << "the runner removes it as superseded";
  // Deterministic, and a package build takes as it is.
  ASSERT_EQ(Harvest("again").status, 0);
  EXPECT_EQ(ReadBytes(dir_ / "src/catalog.ini"), ReadBytes(dir_ / "again/catalog.ini"));
  VerbOutcome built = RunVerb(RunBuild, {"--seed", "1", (dir_ / "src").string(), (dir_ / "out").string()});
  ASSERT_EQ(built.status, 0) << built.err;
  // The package's archive holds each harvested file with the new build's bytes and time, where the runner puts it.
  VerbOutcome unpacked = RunVerb(RunExtract, {(dir_ / "out/ZMTUPD/ZMTUPD.DAT").string(), (dir_ / "unpacked").string()});
  ASSERT_EQ(unpacked.status, 0) << unpacked.err;
  size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir_ / "unpacked")) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const fs::path fresh = dir_ / "new" / entry.path().lexically_relative(dir_ / "unpacked");
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(fresh)) << fresh;
    EXPECT_EQ(entry.last_write_time(), fs::last_write_time(fresh)) << fresh;
  }
  EXPECT_EQ(files, std::size(expected));
}

TEST_F(PkgtoolHarvest, RulesGiveTheSectionsTypesComponentsAndRestarts) {
  WriteBytes(dir_ / "rules.ini",
        "[COMMENT]\r\nPacketType=General_PFW\r\nPathName=PKG\\UPD\r\n"
        "[FileType]\r\nTypeName0=Program\r\nDescript0=p\r\nTypeName1=Data\r\nDescript1=d\r\nTypeName2=SIGN\r\nDescript2=s\r\n"
        "[ExitType]\r\nFileName0=ZMT32.EXE\r\nExitType0=1\r\nUID0=1\r\nStopParam0=/quit\r\n"
        "[Harvest]\r\nPattern0=zmt*.exe\r\nCallBy0=ZMT32.EXE,\r\nReboot0=TRUE\r\n"
        "Pattern1=Sub\\*.txt\r\nFileType1=Data\r\nPattern2=*.txt\r\nFileType2=Program\r\n");
  VerbOutcome run = Harvest("src", {"--rules", (dir_ / "rules.ini").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  auto items = Items("src");
  EXPECT_EQ(items["ZMT32.EXE"]["CallBy"], "ZMT32.EXE,");
  EXPECT_EQ(items["ZMT32.EXE"]["Reboot"], "TRUE");
  EXPECT_EQ(items["ZMT32.EXE"]["RemotePath"], "PKG\\UPD");
  EXPECT_EQ(items["Help.txt"]["FileType"], "Data");
  EXPECT_EQ(items[kGbkName]["FileType"], "Program");
  EXPECT_EQ(items["data.INI"]["Reboot"], "FALSE");
  const std::string catalogue = ReadBytes(dir_ / "src/catalog.ini");
  EXPECT_NE(catalogue.find("PacketType=General_PFW\r\n"), std::string::npos);
  EXPECT_NE(catalogue.find("StopParam0=/quit\r\n"), std::string::npos);
  EXPECT_EQ(catalogue.find("Pattern0"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir_ / "src/files/PKG/UPD/Sub/Help.txt"));
}

TEST_F(PkgtoolHarvest, RefusesWhatItCannotWriteOrBuildWouldRefuse) {
  WriteBytes(dir_ / "used/keep.txt", "mine");
  EXPECT_EQ(Harvest("used").status, 1);
  EXPECT_EQ(ReadBytes(dir_ / "used/keep.txt"), "mine");
  EXPECT_FALSE(fs::exists(dir_ / "used/catalog.ini"));
  EXPECT_EQ(Harvest("used", {"--force"}).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "used/catalog.ini"));

  New("CON.txt", "a device name");  // the archive cannot hold it
  VerbOutcome refused = Harvest("bad");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("CON.txt"), std::string::npos) << refused.err;

  fs::remove_all(dir_ / "old");
  fs::copy(dir_ / "new", dir_ / "old", fs::copy_options::recursive);
  VerbOutcome same = Harvest("none");
  EXPECT_EQ(same.status, 1);
  EXPECT_NE(same.err.find("nothing to harvest"), std::string::npos);
  EXPECT_EQ(Harvest("x", {"--rules"}).status, 2);
}

}  // namespace
