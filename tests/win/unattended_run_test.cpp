// Unattended runs (/S) of the runner as a deployment tool starts them: a real
// package built as pkgtool builds it, simulated installations, and only the
// exit code, the files and the report file to judge by. No window of the
// runner may ever appear.
#include <gtest/gtest.h>

#include <algorithm>

#include "automation_win.h"
#include "child_process_win.h"
#include "fault_run_win.h"
#include "resources/message_ids.h"
#include "resources/report_ids.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

struct Ended {
  DWORD exitCode = 0xFFFFFFFF;
  size_t mostWindows = 0;  // the most top-level windows the runner had at once
};

class UnattendedRun : public ::testing::Test {
 protected:
  std::string package;

  void SetUp() override { sim::RemoveProductKeys(); }
  void TearDown() override { sim::RemoveProductKeys(); }

  // A package (of the kind `kind` says: its type and, for a special package,
  // version and registry key) replacing ZMEngine.DAT in the program folder.
  void BuildPackage(const std::string& kind = "PacketType=General_DB") {
    BuildEnginePackage(EnginePackage{kind, {}}, package);
  }

  // An installation of antivirus V<version>.0 holding the older engine.
  std::string Install(int version, const std::string& folder = "") {
    sim::Installation installation;
    installation.version = version;
    installation.folder = folder.empty() ? MakeScratchFolder("product" + std::to_string(version)) : folder;
    EXPECT_TRUE(sim::LayOut(installation));
    EXPECT_TRUE(WriteWholeFile(installation.folder + "ZMEngine.DAT", kInstalledEngine));
    return installation.folder;
  }

  std::string Start() const { return "\"" + package + "SkalUpd.exe\""; }

  // Runs the runner with `switches` to its end, watching its windows.
  Ended Run(const std::string& switches) {
    Ended ended;
    automation::ChildProcess runner;
    EXPECT_TRUE(runner.Start(Start() + " " + switches, package));
    for (int i = 0; i < 1200; ++i) {
      ended.mostWindows = std::max(ended.mostWindows, automation::ProcessWindows(runner.Id()).size());
      if (runner.Wait(50, ended.exitCode)) return ended;
    }
    ADD_FAILURE() << "the runner did not end";
    runner.Terminate();
    return ended;
  }

  // Runs the runner without switches; returns the report its window shows
  // once the update has run, then leaves through Exit.
  std::string RunWithDialog(const std::string& arguments = "") {
    automation::ChildProcess runner;
    EXPECT_TRUE(runner.Start(Start() + " " + arguments, package));
    std::string report;
    for (int i = 0; i < 400 && (report.empty() || report == RunnerText(kMsgUpdating)); ++i) {
      Sleep(50);
      for (HWND window : automation::ProcessWindows(runner.Id()))
        if (GetDlgItem(window, IDC_REPORT_TEXT) != nullptr) automation::ReadControlText(window, IDC_REPORT_TEXT, report);
    }
    std::vector<HWND> windows = automation::ProcessWindows(runner.Id());
    EXPECT_EQ(windows.size(), 1u);
    if (!windows.empty()) {
      EXPECT_TRUE(automation::PressButton(windows.front(), IDOK));
    }
    DWORD exitCode = 1;
    EXPECT_TRUE(runner.Wait(20000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    return report;
  }
};

TEST_F(UnattendedRun, SeveralInstallationsNeedTheVersionNamed) {
  BuildPackage();
  const std::string v3 = Install(3);
  const std::string v4 = Install(4);
  const std::string report = MakeScratchFolder("report") + "r.txt";

  Ended refused = Run("/S /REPORT=" + report);
  EXPECT_EQ(refused.exitCode, 1602u);
  EXPECT_EQ(refused.mostWindows, 0u);
  EXPECT_TRUE(Holds(ReadWholeFile(report), kMsgVersionNotNamed));
  EXPECT_EQ(ReadWholeFile(v3 + "ZMEngine.DAT"), kInstalledEngine);
  EXPECT_EQ(ReadWholeFile(v4 + "ZMEngine.DAT"), kInstalledEngine);

  EXPECT_EQ(Run("/VERSION=7 /S /REPORT=" + report).exitCode, 1602u);
  char missing[512];
  snprintf(missing, sizeof missing, RunnerText(kMsgNamedVersionMissing).c_str(), 7);
  EXPECT_NE(ReadWholeFile(report).find(missing), std::string::npos);
}

TEST_F(UnattendedRun, TheOldestEditionsFolderComesFromTheCommandLine) {
  BuildPackage();
  const std::string folder = Install(1);
  // Without "ProgramPath" the runner would ask for the folder.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, sim::ProductKey(sim::Product::kAntivirus, 1).c_str(), 0,
                          KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  RegDeleteValueA(key, "ProgramPath");
  RegCloseKey(key);
  const std::string report = MakeScratchFolder("report") + "r.txt";

  Ended refused = Run("/S /REPORT=" + report);
  EXPECT_EQ(refused.exitCode, 1602u);
  EXPECT_EQ(refused.mostWindows, 0u);
  EXPECT_TRUE(Holds(ReadWholeFile(report), kMsgProgramDirNotNamed));

  const std::string elsewhere = MakeScratchFolder("not_the_product");
  EXPECT_EQ(Run("/S /REPORT=" + report + " /PROGRAMDIR=" + elsewhere).exitCode, 1602u);
  EXPECT_TRUE(Holds(ReadWholeFile(report), kMsgWrongFolder));
  EXPECT_EQ(ReadWholeFile(folder + "ZMEngine.DAT"), kInstalledEngine);
}

TEST_F(UnattendedRun, ADamagedCatalogueFailsWith1603WithoutAnyWindow) {
  package = MakeScratchFolder("damaged");
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "SkalUpd.exe").c_str(), (package + "SkalUpd.exe").c_str(), FALSE));
  ASSERT_TRUE(WriteWholeFile(package + "index.dat", std::string(200, '\x5A')));
  Install(4);
  const std::string report = MakeScratchFolder("report") + "damaged report.txt";
  Ended ended = Run("/S \"/REPORT=" + report + "\"");
  EXPECT_EQ(ended.exitCode, 1603u);
  EXPECT_EQ(ended.mostWindows, 0u);
  EXPECT_EQ(ReadWholeFile(report), RunnerText(kMsgCatalogueDamaged) + "\r\n");
}

// A stop the runner logs itself reaches the log once.
TEST_F(UnattendedRun, APackageForAnotherVersionFailsWith1603AndIsLoggedOnce) {
  BuildPackage("PacketType=Special_DB\r\nVersion=2\r\nRegKey=SOFTWARE\\Norvance\\AntiVirus\\V4.0");
  const std::string product = Install(4);
  Ended ended = Run("/S");
  EXPECT_EQ(ended.exitCode, 1603u);
  EXPECT_EQ(ended.mostWindows, 0u);
  const std::string report = ReadWholeFile(product + "LOGS\\UpdReport.txt");
  const std::string message = RunnerText(kMsgWrongPackageVersion);
  ASSERT_NE(report.find(message), std::string::npos) << report;
  EXPECT_EQ(report.find(message, report.find(message) + 1), std::string::npos) << report;
  EXPECT_EQ(ReadWholeFile(product + "ZMEngine.DAT"), kInstalledEngine);
}

// The usage is shown only when asked for. A stray argument is logged and
// passed over by a run with windows; a silent run ends with 1639 unseen.
TEST_F(UnattendedRun, UsageOnAskingAndStrayArgumentsPassedOverOrRefused) {
  BuildPackage();
  const std::string product = Install(4);
  {
    automation::ChildProcess runner;
    ASSERT_TRUE(runner.Start(Start() + " /?", package));
    HWND box = automation::WaitForWindow(RunnerText(kMsgTitleNotice), 20000, runner.Id());
    ASSERT_NE(box, nullptr);
    std::string text;
    automation::ReadMessageBoxText(box, text);
    EXPECT_EQ(text, RunnerText(kMsgUsage));
    EXPECT_TRUE(automation::AnswerMessageBox(box, IDOK));
    DWORD exitCode = 1;
    EXPECT_TRUE(runner.Wait(20000, exitCode));
    EXPECT_EQ(exitCode, 0u);
  }
  Ended silent = Run("/S /unknown");
  EXPECT_EQ(silent.exitCode, 1639u);
  EXPECT_EQ(silent.mostWindows, 0u);
  EXPECT_EQ(ReadWholeFile(product + "ZMEngine.DAT"), kInstalledEngine);

  char logged[512];
  snprintf(logged, sizeof logged, RunnerText(kMsgBadSwitch).c_str(), "/unknown /VERSION=11");
  const std::string shown = RunWithDialog("/unknown /VERSION=11");
  EXPECT_NE(shown.find(logged), std::string::npos) << shown;
  EXPECT_TRUE(Holds(shown, kMsgFilesUpdated)) << shown;
}

}  // namespace
