#pragma once
// The real runner over a real package (built as pkgtool builds it) for an
// installed antivirus V4.0, for the tests of faults during the commit: the
// package folder with SkalUpd.exe, the installation's files, unattended runs
// judged by their exit code, the report and the files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "child_process_win.h"
#include "engine_package_win.h"
#include "log/message_text.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

namespace testsupport {

class FaultRun : public ::testing::Test {
 protected:
  std::string package;  // holds the runner; ends with a backslash

  void SetUp() override { sim::RemoveProductKeys(); }
  void TearDown() override { sim::RemoveProductKeys(); }

  // A general package replacing ZMEngine.DAT (from its archive) and `files`.
  void BuildPackage(const std::vector<PackageFile>& files) {
    BuildEnginePackage({"PacketType=General_DB", false, files}, package);
  }

  // Antivirus V4.0 installed in `folder` (ending with a backslash), holding
  // the older engine.
  void Install(const std::string& folder) {
    sim::Installation installation;
    installation.version = 4;
    installation.folder = folder;
    ASSERT_TRUE(sim::LayOut(installation));
    ASSERT_TRUE(WriteWholeFile(folder + "ZMEngine.DAT", kInstalledEngine));
  }

  std::string RunnerCommand(const std::string& reportPath) const {
    return "\"" + package + "SkalUpd.exe\" /S \"/REPORT=" + reportPath + "\"";
  }

  // An unattended run to its end; its exit code (0xFFFFFFFF when it hung).
  DWORD RunUnattended(const std::string& reportPath) {
    automation::ChildProcess runner;
    EXPECT_TRUE(runner.Start(RunnerCommand(reportPath), package));
    DWORD exitCode = 0xFFFFFFFF;
    if (!runner.Wait(180000, exitCode)) ADD_FAILURE() << "the runner did not end";
    return exitCode;
  }
};

// TEMP and TMP of this process (and so of the runner it starts) name
// another folder while the object lives.
class TempFolderNamed {
 public:
  explicit TempFolderNamed(const std::string& folder) {
    for (const char* name : {"TEMP", "TMP"}) {
      char value[MAX_PATH] = {};
      saved_.push_back(GetEnvironmentVariableA(name, value, MAX_PATH) ? value : "");
      SetEnvironmentVariableA(name, folder.c_str());
    }
  }
  ~TempFolderNamed() {
    SetEnvironmentVariableA("TEMP", saved_[0].empty() ? nullptr : saved_[0].c_str());
    SetEnvironmentVariableA("TMP", saved_[1].empty() ? nullptr : saved_[1].c_str());
  }

 private:
  std::vector<std::string> saved_;
};

inline bool Holds(const std::string& report, unsigned id) {
  return report.find(RunnerText(id)) != std::string::npos;
}
// The report holds message `id` for the file `name` and the folder `folder`.
inline bool Holds(const std::string& report, unsigned id, const std::string& name, const std::string& folder) {
  return report.find(FormatMessageText(RunnerText(id), {name, folder})) != std::string::npos;
}

}  // namespace testsupport
