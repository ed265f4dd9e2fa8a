#include "commit/self_update_win.h"

#include <gtest/gtest.h>

#include "child_process_win.h"
#include "held_file_win.h"
#include "log/update_log.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

class SelfUpdateTest : public ::testing::Test {
 protected:
  std::string programDir = MakeScratchFolder("selfupdate_program");
  std::string packageDir = MakeScratchFolder("selfupdate_package");
  UpdateLog log{programDir};

  SelfUpdateRequest Request(int count) {
    SelfUpdateRequest request{1, packageDir + "source\\", programDir, {}};
    for (int n = 0; n < count; ++n) {
      const std::string name = "FILE" + std::to_string(n) + ".DLL";
      request.files.push_back({packageDir + name, programDir + name});
    }
    return request;
  }
  std::string HandOff(const char* key) const {
    char value[MAX_PATH] = {};
    GetPrivateProfileStringA("UpdateSelf", key, "(none)", value, MAX_PATH, (packageDir + "source\\Update.inf").c_str());
    return value;
  }
};

TEST_F(SelfUpdateTest, EarlierHandOffIsReplacedNotExtended) {
  ASSERT_EQ(SelfUpdateHandOff(Request(5), log), 1);
  SetFileAttributesA((packageDir + "source\\Update.inf").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_EQ(SelfUpdateHandOff(Request(2), log), 1);
  EXPECT_EQ(HandOff("DesFile1"), programDir + "FILE1.DLL");
  EXPECT_EQ(HandOff("SrcFile2"), "(none)");
  EXPECT_EQ(HandOff("DesFile4"), "(none)");
}

TEST_F(SelfUpdateTest, NothingWithoutTheCataloguesRequest) {
  SelfUpdateRequest request = Request(1);
  request.selfUpdateFirst = 0;
  EXPECT_EQ(SelfUpdateHandOff(request, log), 0);
  EXPECT_FALSE(IsFolder(request.packageSourceDir));
  EXPECT_EQ(log.text, "");
}

// The whole hand-off: the runner's files are written, the self-update
// program waits for a destination that is still held open, copies, and
// starts the update program with "/CONTINUE ".
TEST_F(SelfUpdateTest, SelfUpdateProgramCompletesTheHandOff) {
  SelfUpdateRequest request = Request(2);
  for (int n = 0; n < 2; ++n) {
    ASSERT_TRUE(WriteWholeFile(request.files[n].source, "new " + std::to_string(n)));
    ASSERT_TRUE(WriteWholeFile(request.files[n].destination, "old"));
  }
  SetFileAttributesA(request.files[0].destination.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "arg_recorder.exe").c_str(), (programDir + "Update.EXE").c_str(), FALSE));
  ASSERT_EQ(SelfUpdateHandOff(request, log), 1);

  automation::ChildProcess holder;
  ASSERT_TRUE(automation::HoldFile(holder, request.files[1].destination, "none"));
  automation::ChildProcess selfUpdate;
  const std::string program = request.packageSourceDir + "UpdateSelf.DAT";
  ASSERT_TRUE(selfUpdate.Start(automation::CommandLine(program, {}), packageDir));
  DWORD exitCode = 0;
  EXPECT_FALSE(selfUpdate.Wait(1500, exitCode)) << "did not wait for the held file";
  holder.Terminate();
  ASSERT_TRUE(selfUpdate.Wait(30000, exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(ReadWholeFile(request.files[0].destination), "new 0");
  EXPECT_EQ(ReadWholeFile(request.files[1].destination), "new 1");

  const std::string record = programDir + "CommandLine.txt";
  // The started program may still be writing its record.
  std::string commandLine = ReadWholeFile(record);
  for (int i = 0; i < 100 && commandLine.find("/CONTINUE") == std::string::npos; ++i) {
    Sleep(100);
    commandLine = ReadWholeFile(record);
  }
  EXPECT_NE(commandLine.find("Update.EXE\" /CONTINUE"), std::string::npos) << commandLine;
}

}  // namespace
