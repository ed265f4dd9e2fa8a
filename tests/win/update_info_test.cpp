// The update-info working copy: the product's packed file or the built-in
// default, the flag it gives, the version list it hands out, and its removal.
#include "versions/update_info.h"

#include <gtest/gtest.h>

#include <memory>

#include "installed_versions.h"
#include "versions/update_info_default.h"

using namespace testsupport;

namespace {

std::string AllLines(UpdateInfo& info) {
  std::string lines;
  if (!info.BeginVersionReport()) return "(none)";
  for (std::string line; info.NextVersionReportLine(line);) lines += line + "|";
  return lines;
}

class UpdateInfoTest : public ::testing::Test {
 protected:
  std::string program = MakeScratchFolder("prog");
  std::string temp = MakeScratchFolder("temp");
  std::string working = temp + "UpdInfo.INI";
};

TEST_F(UpdateInfoTest, WithoutStoredFileTheDefaultIsWrittenAndListsFourVersions) {
  ASSERT_TRUE(LayOutVersionFiles(program));
  UpdateInfo info;
  EXPECT_EQ(info.OpenUpdateInfo(program + "UpdInfo.DAT", working), 1);
  EXPECT_EQ(ReadWholeFile(working), std::string(DefaultUpdateInfoText()));
  EXPECT_EQ(info.ReadInfoInt("Comment", "DisplayVerFlag", 0), 1);
  std::string lines = AllLines(info);
  EXPECT_EQ(lines, Gbk("主程序版本:4.5|查毒引擎版本:3.2.1|DrWeb引擎版本:|病毒库版本:2004.3.7|"));
  // The list starts over on every Begin.
  EXPECT_EQ(AllLines(info), lines);
  // The default replaces a stale working copy of an earlier run.
  ASSERT_TRUE(WriteWholeFile(working, std::string(5000, 'x')));
  EXPECT_EQ(info.OpenUpdateInfo(program + "UpdInfo.DAT", working), 1);
  EXPECT_EQ(ReadWholeFile(working), std::string(DefaultUpdateInfoText()));
}

TEST_F(UpdateInfoTest, StoredFileIsExpandedAndReadAsItIs) {
  ASSERT_TRUE(WritePacked(program + "UpdInfo.DAT",
              "[Comment]\r\nVersion=4\r\n[DisplayVer]\r\nDescript0=Engine:\r\nFileName0=missing.dat\r\n"
              "VersionMethod0=1\r\nDescript1=Main:\r\nFileName1=missing.exe\r\nDescript2=Skipped:\r\n"
              "Descript3=Never:\r\nFileName3=x\r\n"));
  UpdateInfo info;
  EXPECT_EQ(info.OpenUpdateInfo(program + "UpdInfo.DAT", working), 1);
  EXPECT_EQ(info.ReadInfoInt("Comment", "DisplayVerFlag", 7), 7);  // the key is absent
  // Missing files: empty header version, resource version 0.1; the entry
  // without file name ends the list.
  EXPECT_EQ(AllLines(info), "Engine:|Main:0.1|");
}

TEST_F(UpdateInfoTest, UnknownMethodShowsTheLabel) {
  const std::string text = "[DisplayVer]\r\nDescript0=Odd:\r\nFileName0=ZMT9X.EXE\r\nVersionMethod0=5\r\n";
  ASSERT_TRUE(WritePacked(program + "UpdInfo.DAT", text));
  UpdateInfo info;
  ASSERT_EQ(info.OpenUpdateInfo(program + "UpdInfo.DAT", working), 1);
  EXPECT_EQ(AllLines(info), "Odd:|");
}

TEST_F(UpdateInfoTest, DamagedStoredFileOrUnwritableCopyGivesNothing) {
  ASSERT_TRUE(WriteWholeFile(program + "UpdInfo.DAT", "not a packed file"));
  UpdateInfo info;
  EXPECT_EQ(info.OpenUpdateInfo(program + "UpdInfo.DAT", working), 0);
  EXPECT_EQ(info.ReadInfoInt("Comment", "DisplayVerFlag", 9), 0);  // 0, not the default
  EXPECT_EQ(AllLines(info), "(none)");
  std::string line = "kept";
  EXPECT_EQ(info.NextVersionReportLine(line), 0);
  EXPECT_EQ(line, "kept");

  UpdateInfo noFolder;
  EXPECT_EQ(noFolder.OpenUpdateInfo(MakeScratchFolder("empty") + "UpdInfo.DAT", temp + "gone\\UpdInfo.INI"), 0);
  EXPECT_EQ(noFolder.ReadInfoInt("Comment", "DisplayVerFlag", 9), 0);
}

TEST_F(UpdateInfoTest, WorkingCopyIsDeletedWithTheObjectAndStoredFileKept) {
  ASSERT_TRUE(WritePacked(program + "UpdInfo.DAT", "[Comment]\r\nDisplayVerFlag=1\r\n"));
  const std::string stored = ReadWholeFile(program + "UpdInfo.DAT");
  auto info = std::make_unique<UpdateInfo>();
  ASSERT_EQ(info->OpenUpdateInfo(program + "UpdInfo.DAT", working), 1);
  EXPECT_EQ(GetFileAttributesA(working.c_str()) != INVALID_FILE_ATTRIBUTES, true);
  info.reset();
  EXPECT_EQ(GetFileAttributesA(working.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadWholeFile(program + "UpdInfo.DAT"), stored);
}

}  // namespace
