// The self-update hand-off on disk: an earlier, read-only one is replaced;
// the carried self-update program waits for a destination that is still
// held open, copies, and starts the update program with "/CONTINUE ".
#include "commit/self_update_win.h"

#include <gtest/gtest.h>

#include "log/update_log.h"
#include "win_test_support.h"

using namespace testsupport;

TEST(SelfUpdate, EarlierHandOffIsReplacedAndTheProgramCompletesTheNewOne) {
  const std::string programDir = MakeScratchFolder("selfupdate_program");
  const std::string packageDir = MakeScratchFolder("selfupdate_package");
  UpdateLog log{programDir};
  SelfUpdateRequest request{1, packageDir + "source\\", programDir, {}};
  for (int n = 0; n < 5; ++n) {
    const std::string name = "FILE" + std::to_string(n) + ".DLL";
    request.files.push_back({packageDir + name, programDir + name});
    ASSERT_TRUE(WriteWholeFile(request.files[n].source, "new " + std::to_string(n)));
    ASSERT_TRUE(WriteWholeFile(request.files[n].destination, "old"));
  }
  ASSERT_EQ(SelfUpdateHandOff(request, log), 1);
  SetFileAttributesA((request.packageSourceDir + "Update.inf").c_str(), FILE_ATTRIBUTE_READONLY);
  request.files.resize(2);
  SetFileAttributesA(request.files[0].destination.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "arg_recorder.exe").c_str(), (programDir + "Update.EXE").c_str(), FALSE));
  ASSERT_EQ(SelfUpdateHandOff(request, log), 1);

  automation::ChildProcess holder;
  ASSERT_TRUE(HoldFile(holder, request.files[1].destination, "none"));
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
  EXPECT_EQ(ReadWholeFile(programDir + "FILE4.DLL"), "old") << "a pair of the earlier hand-off survived";

  const std::string record = programDir + "CommandLine.txt";
  // The started program may still be writing its record.
  std::string commandLine = ReadWholeFile(record);
  for (int i = 0; i < 100 && commandLine.find("/CONTINUE") == std::string::npos; ++i) {
    Sleep(100);
    commandLine = ReadWholeFile(record);
  }
  EXPECT_NE(commandLine.find("Update.EXE\" /CONTINUE"), std::string::npos) << commandLine;
}
