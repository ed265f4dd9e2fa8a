// The update-info working copy: the built-in default written over a stale
// copy or the product's stored file expanded, the versions they list from
// real files, the copy's removal with the object, and nothing from a damaged
// stored file or an unwritable copy.
#include "versions/update_info.h"

#include <gtest/gtest.h>

#include <memory>

#include "../fixtures/fixture_images.h"
#include "pack.h"
#include "versions/update_info_default.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// Main program with product version 4.0.0.5, scan engine with header version
// 3.2.1.0, no DrWeb engine, virus database 2004.3.7.
bool LayOutVersionFiles(const std::string& folder) {
  return CopyFileA((ProgramFolder() + "verfixture.dll").c_str(), (folder + "ZMT9X.EXE").c_str(), FALSE) &&
         WriteWholeFile(folder + "ZMEngine.DAT", fixtures::HeaderImage(0x00030002u, 0x00010000u)) &&
         WriteWholeFile(folder + "ZMT00007.DAT", fixtures::DatabaseImage(0x07D40307u, 0));
}

std::string AllLines(UpdateInfo& info) {
  std::string lines;
  if (!info.BeginVersionReport()) return "(none)";
  for (std::string line; info.NextVersionReportLine(line);) lines += line + "|";
  return lines;
}

TEST(UpdateInfo, DefaultReplacesAStaleCopyListsFourVersionsAndGoesWithTheObject) {
  const std::string program = MakeScratchFolder("prog"), working = MakeScratchFolder("temp") + "UpdInfo.INI";
  ASSERT_TRUE(LayOutVersionFiles(program));
  ASSERT_TRUE(WriteWholeFile(working, std::string(5000, 'x')));
  auto info = std::make_unique<UpdateInfo>();
  EXPECT_EQ(info->OpenUpdateInfo(program + "UpdInfo.DAT", working), 1);
  EXPECT_EQ(ReadWholeFile(working), std::string(DefaultUpdateInfoText()));
  EXPECT_EQ(info->ReadInfoInt("Comment", "DisplayVerFlag", 0), 1);
  const std::string lines = AllLines(*info);
  EXPECT_EQ(lines, Gbk("主程序版本:4.5|查毒引擎版本:3.2.1|DrWeb引擎版本:|病毒库版本:2004.3.7|"));
  EXPECT_EQ(AllLines(*info), lines) << "the list starts over on every Begin";
  info.reset();
  EXPECT_EQ(GetFileAttributesA(working.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Read as it is: a missing file gives an empty header version or resource
// version 0.1, an unknown method the label alone, and the entry without a
// file name ends the list.
TEST(UpdateInfo, StoredFileIsExpandedAndReadAsItIs) {
  const std::string program = MakeScratchFolder("prog"), temp = MakeScratchFolder("temp");
  ASSERT_TRUE(LayOutVersionFiles(program));
  const std::string text =
      "[DisplayVer]\r\nDescript0=Engine:\r\nFileName0=missing.dat\r\nVersionMethod0=1\r\nDescript1=Main:\r\n"
      "FileName1=missing.exe\r\nDescript2=Odd:\r\nFileName2=ZMT9X.EXE\r\nVersionMethod2=5\r\nDescript3=Skipped:\r\n"
      "Descript4=Never:\r\nFileName4=x\r\n";
  const std::vector<unsigned char> packed = PackImage(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  ASSERT_TRUE(WriteWholeFile(program + "UpdInfo.DAT", std::string(packed.begin(), packed.end())));
  UpdateInfo info;
  EXPECT_EQ(info.OpenUpdateInfo(program + "UpdInfo.DAT", temp + "UpdInfo.INI"), 1);
  EXPECT_EQ(info.ReadInfoInt("Comment", "DisplayVerFlag", 7), 7);  // the key is absent
  EXPECT_EQ(AllLines(info), "Engine:|Main:0.1|Odd:|");
}

TEST(UpdateInfo, DamagedStoredFileOrUnwritableCopyGivesNothing) {
  const std::string program = MakeScratchFolder("prog"), temp = MakeScratchFolder("temp");
  ASSERT_TRUE(WriteWholeFile(program + "UpdInfo.DAT", "not a packed file"));
  UpdateInfo info;
  EXPECT_EQ(info.OpenUpdateInfo(program + "UpdInfo.DAT", temp + "UpdInfo.INI"), 0);
  EXPECT_EQ(info.ReadInfoInt("Comment", "DisplayVerFlag", 9), 0);  // 0, not the default
  EXPECT_EQ(AllLines(info), "(none)");
  std::string line = "kept";
  EXPECT_EQ(info.NextVersionReportLine(line), 0);
  EXPECT_EQ(line, "kept");

  UpdateInfo noFolder;
  EXPECT_EQ(noFolder.OpenUpdateInfo(MakeScratchFolder("empty") + "UpdInfo.DAT", temp + "gone\\UpdInfo.INI"), 0);
  EXPECT_EQ(noFolder.ReadInfoInt("Comment", "DisplayVerFlag", 9), 0);
}

}  // namespace
