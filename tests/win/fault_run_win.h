#pragma once
// The real runner over a real package (built as pkgtool builds it) that
// replaces the engine ZMEngine.DAT of an installed antivirus product, for the
// tests that run the unchanged runner: the package folder with SkalUpd.exe,
// the installation's files, unattended runs judged by their exit code, the
// report and the files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "child_process_win.h"
#include "log/message_text.h"
#include "package_plan.h"
#include "package_writer.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

namespace testsupport {

constexpr char kInstalledEngine[] = "installed engine, an older build";
constexpr char kNewEngine[] = "engine 4.0.3.1";

// One more file the package brings, laid beside the archive (no packing, so
// that large files cost little to build).
struct PackageFile {
  std::string name;
  std::string bytes;
  std::string localPath;  // the catalogue's LocalPath; empty: the program folder
};

// Builds a general package replacing ZMEngine.DAT (from its archive) and
// `files` in a scratch folder with SkalUpd.exe beside it; `package` gets that
// folder, ending with a backslash.
inline void BuildEnginePackage(const std::vector<PackageFile>& files, std::string& package) {
  const std::string source = MakeScratchFolder("source");
  ASSERT_TRUE(CreateDirectoryA((source + "files").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((source + "files\\ZMTUPD").c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(source + "files\\ZMTUPD\\ZMEngine.DAT", kNewEngine));
  std::string catalogue = "[COMMENT]\r\nPacketType=General_DB"
                          "\r\nPathName=ZMTUPD\r\nNewUpdateSelfFirstFlag=0\r\n\r\n"
                          "[FileType]\r\nTypeName0=Engine\r\nDescript0=engine\r\n\r\n"
                          "[ZMEngine]\r\nUpdateFileFlag=TRUE\r\nFileName=ZMEngine.DAT\r\nVersion=4.0.3.1\r\nReboot=FALSE"
                          "\r\nRemotePath=ZMTUPD\r\nFileType=Engine\r\n";
  for (const PackageFile& file : files) {
    ASSERT_TRUE(WriteWholeFile(source + "files\\" + file.name, file.bytes));
    catalogue += "\r\n[" + file.name + "]\r\nUpdateFileFlag=TRUE\r\nFileName=" + file.name +
                 "\r\nVersion=1.0.0.1\r\nReboot=FALSE\r\nRemotePath=.\r\nFileType=Engine\r\n";
    if (!file.localPath.empty()) catalogue += "LocalPath=" + file.localPath + "\r\n";
  }
  ASSERT_TRUE(WriteWholeFile(source + "catalog.ini", catalogue));
  PackagePlan plan;
  std::vector<std::string> problems;
  ASSERT_TRUE(PlanPackage(source, plan, problems)) << (problems.empty() ? "" : problems.front());
  // The writer makes the package folder itself.
  const std::string folder = MakeScratchFolder("built") + "package";
  std::string error;
  ASSERT_TRUE(WritePackage(plan, 1, folder, error)) << error;
  package = folder + "\\";
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "SkalUpd.exe").c_str(), (package + "SkalUpd.exe").c_str(), FALSE));
}

class FaultRun : public ::testing::Test {
 protected:
  std::string package;  // holds the runner; ends with a backslash

  void SetUp() override { sim::RemoveProductKeys(); }
  void TearDown() override { sim::RemoveProductKeys(); }

  void BuildPackage(const std::vector<PackageFile>& files) { BuildEnginePackage(files, package); }

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
// The report holds message `id` formatted with `args` (a file and its
// folder, say).
inline bool Holds(const std::string& report, unsigned id, std::initializer_list<std::string> args) {
  return report.find(FormatMessageText(RunnerText(id), args)) != std::string::npos;
}

}  // namespace testsupport
