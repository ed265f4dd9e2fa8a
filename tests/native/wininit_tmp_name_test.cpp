#include "commit/wininit_tmp_name.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const std::string kExe = "C:\\PROGRA~1\\SKAL\\ZMT9X.EXE";

TEST(WininitTmpName, ExtensionReplacedOrAppended) {
  EXPECT_EQ(TmpCandidate(kExe, 0), "C:\\PROGRA~1\\SKAL\\ZMT9X.TMP");
  EXPECT_EQ(TmpCandidate(kExe, 1), "C:\\PROGRA~1\\SKAL\\ZMT9X.T01");
  EXPECT_EQ(TmpCandidate(kExe, 99), "C:\\PROGRA~1\\SKAL\\ZMT9X.T99");
  EXPECT_EQ(TmpCandidate("C:\\SKAL\\README", 0), "C:\\SKAL\\README.TMP");
  // A dot in a folder name is no extension of the file.
  EXPECT_EQ(TmpCandidate("C:\\SKAL.1\\README", 0), "C:\\SKAL.1\\README.TMP");
  EXPECT_EQ(TmpCandidate("C:\\SKAL\\A.B.C", 0), "C:\\SKAL\\A.B.TMP");
}

class ChooseTmp : public ::testing::Test {
 protected:
  std::string Choose(const std::string& ini, const std::string& destination) {
    return ChooseTmpPath(ini, destination, [this](const std::string& path) { return files.count(path) != 0; });
  }
  std::set<std::string> files;
};

TEST_F(ChooseTmp, FirstFreeCandidate) {
  EXPECT_EQ(Choose("", kExe), TmpCandidate(kExe, 0));
  // A file nobody moves is not overwritten.
  files = {TmpCandidate(kExe, 0), TmpCandidate(kExe, 1)};
  EXPECT_EQ(Choose("", kExe), TmpCandidate(kExe, 2));
  for (int i = 0; i <= 99; ++i) files.insert(TmpCandidate(kExe, i));
  EXPECT_EQ(Choose("", kExe), "");
}

TEST_F(ChooseTmp, DestinationsSharingTheTmpNameKeepApart) {
  // ZMT9X.DLL deferred earlier in the run: its TMP copy is pending, even once
  // the file is gone.
  const std::string ini = "[rename]\r\nNUL=C:\\PROGRA~1\\SKAL\\ZMT9X.DLL\r\n"
                          "C:\\PROGRA~1\\SKAL\\ZMT9X.DLL=C:\\PROGRA~1\\SKAL\\ZMT9X.TMP\r\n";
  EXPECT_EQ(Choose(ini, kExe), TmpCandidate(kExe, 1));
  // A pending deletion of the name takes it too.
  EXPECT_EQ(Choose("[rename]\r\nNUL=C:\\PROGRA~1\\SKAL\\ZMT9X.TMP\r\n", kExe), TmpCandidate(kExe, 1));
}

TEST_F(ChooseTmp, RerunTakesAFreshNameBesideTheCopyPendingForTheSameDestination) {
  // Run one gave ZMT9X.EXE the name .T01; run two writes its copy under a
  // new name and then points that move at it.
  const std::string ini = "[Rename]\r\nc:\\progra~1\\skal\\zmt9x.exe=c:\\progra~1\\skal\\zmt9x.t01\r\n"
                          "C:\\PROGRA~1\\SKAL\\ZMT9X.DLL=C:\\PROGRA~1\\SKAL\\ZMT9X.TMP\r\n";
  files = {TmpCandidate(kExe, 0), "c:\\progra~1\\skal\\zmt9x.t01"};
  EXPECT_EQ(Choose(ini, kExe), TmpCandidate(kExe, 2));
  EXPECT_EQ(PendingTmpPath(ini, kExe), TmpCandidate(kExe, 1));
  EXPECT_EQ(PendingTmpPath(ini, "C:\\PROGRA~1\\SKAL\\ZMT9X.COM"), "");
}

TEST_F(ChooseTmp, DestinationEndingInTmpIsNotItsOwnCopy) {
  EXPECT_EQ(Choose("", "C:\\SKAL\\CACHE.TMP"), "C:\\SKAL\\CACHE.T01");
}

}  // namespace
