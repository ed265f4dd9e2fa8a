// The runner's start-up and preparation, driven as a user meets them: the
// message box it shows is found by its caption, read and answered, and the
// program must then end without ever opening its report window.
#include <gtest/gtest.h>

#include <functional>

#include "automation_win.h"
#include "child_process_win.h"
#include "app/registry_string.h"
#include "resources/dialog_ids.h"
#include "resources/message_ids.h"
#include "runner_probe.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

struct Outcome {
  std::string caption;
  std::string text;
  DWORD exitCode = 0xFFFFFFFF;
  size_t otherWindows = 0;
};

class RunnerStart : public ::testing::Test {
 protected:
  std::string package = MakeScratchFolder("pkg");

  void SetUp() override {
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "SkalUpd.exe").c_str(), (package + "SkalUpd.exe").c_str(), FALSE));
    DeleteFileA((TempFolder() + "index.txt").c_str());
  }

  // A packed catalogue of the [COMMENT] lines `comment` alone.
  void WriteCatalogue(const std::string& comment) {
    ASSERT_TRUE(WritePacked(package + "index.dat", "[COMMENT]\r\n" + comment));
  }

  // Starts the runner, expects one message box with `caption`, answers it and
  // waits for the end of the program.
  Outcome RunExpectingBox(const std::string& caption) {
    Outcome outcome;
    automation::ChildProcess runner;
    EXPECT_TRUE(runner.Start("\"" + package + "SkalUpd.exe\"", package));
    HWND box = automation::WaitForWindow(caption, 20000, runner.Id());
    EXPECT_NE(box, nullptr) << "no window captioned as expected";
    if (box == nullptr) return outcome;
    outcome.caption = caption;
    EXPECT_TRUE(automation::IsMessageBox(box));
    automation::ReadMessageBoxText(box, outcome.text);
    outcome.otherWindows = automation::ProcessWindows(runner.Id()).size() - 1;
    EXPECT_TRUE(automation::AnswerMessageBox(box, IDOK));
    EXPECT_TRUE(runner.Wait(20000, outcome.exitCode));
    return outcome;
  }
};

// A missing, damaged or folder-shaped catalogue stops the run at once; every
// start clears the product's autorun values first.
TEST_F(RunnerStart, MissingOrDamagedCatalogueShowsMessage6AndEnds) {
  const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  const std::function<void()> catalogues[] = {
      [] {},
      [this] { ASSERT_TRUE(WriteWholeFile(package + "index.dat", std::string(200, '\x5A'))); },
      [this] { ASSERT_TRUE(CreateDirectoryA((package + "index.dat").c_str(), nullptr)); },
  };
  for (size_t row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    RemoveDirectoryA((package + "index.dat").c_str());
    DeleteFileA((package + "index.dat").c_str());
    catalogues[row]();
    ASSERT_TRUE(sim::SetRegistryString(HKEY_CURRENT_USER, run, "ZMTPFWRun", "pfw.exe"));
    Outcome outcome = RunExpectingBox(RunnerText(kMsgTitleError));
    EXPECT_EQ(outcome.text, RunnerText(kMsgCatalogueDamaged));
    EXPECT_EQ(outcome.otherWindows, 0u);
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_EQ(GetFileAttributesA((TempFolder() + "index.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    std::string left;
    EXPECT_EQ(ReadRegistryString(run, "ZMTPFWRun", left), 0) << left;
  }
}

TEST_F(RunnerStart, SpecialPackageForAnUnknownKeyShowsMessage40) {
  WriteCatalogue("PacketType=Special_DB\r\nVersion=3\r\nRegKey=SOFTWARE\\Norvance\\AntiVirus\\V9.0\r\n");
  Outcome outcome = RunExpectingBox(RunnerText(19));
  EXPECT_EQ(outcome.text, RunnerText(40));
  EXPECT_EQ(outcome.exitCode, 0u);
  // The expanded catalogue is removed when the program ends.
  EXPECT_EQ(GetFileAttributesA((TempFolder() + "index.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RunnerStart, SpecialPackageKeyWithoutProgramPathNamesTheEdition) {
  ASSERT_TRUE(sim::SetRegistryString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Norvance\\AntiVirus\\V4.0", "Other", "x"));
  WriteCatalogue("PacketType=special_db\r\nVersion=3\r\nRegKey=SOFTWARE\\Norvance\\AntiVirus\\V4.0\r\n");
  Outcome outcome = RunExpectingBox(RunnerText(19));
  char expected[1024];
  snprintf(expected, sizeof expected, RunnerText(17).c_str(), "2003", "ZMT32.EXE");
  EXPECT_EQ(outcome.text, expected);
}

TEST_F(RunnerStart, UnknownVersionNamesNoEdition) {
  ASSERT_TRUE(sim::SetRegistryString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Norvance\\AntiVirus\\V8.0", "Other", "x"));
  WriteCatalogue("PacketType=Special_PFW\r\nVersion=7\r\nRegKey=SOFTWARE\\Norvance\\AntiVirus\\V8.0\r\n");
  char expected[1024];
  snprintf(expected, sizeof expected, RunnerText(17).c_str(), "", "");
  EXPECT_EQ(RunExpectingBox(RunnerText(19)).text, expected);
}

TEST_F(RunnerStart, GeneralPackageWithoutInstallationShowsMessage44) {
  sim::RemoveProductKeys();
  WriteCatalogue("PacketType=General_DB\r\n");
  Outcome outcome = RunExpectingBox(RunnerText(kMsgTitleNotice));
  EXPECT_EQ(outcome.text, RunnerText(kMsgNoInstallation));
  EXPECT_EQ(outcome.otherWindows, 0u);
  EXPECT_EQ(outcome.exitCode, 0u);
}

TEST_F(RunnerStart, SpecialPackageForTheOldestEditionAsksForItsFolder) {
  sim::RemoveProductKeys();
  WriteCatalogue("PacketType=Special_DB\r\nVersion=0\r\nRegKey=software\\norvance\\antivirus\\v1.0\r\n");
  automation::ChildProcess runner;
  ASSERT_TRUE(runner.Start("\"" + package + "SkalUpd.exe\"", package));
  HWND dialog = automation::WaitForWindow(RunnerText(kMsgTitleNotice), 20000, runner.Id());
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(automation::IsMessageBox(dialog));
  EXPECT_NE(GetDlgItem(dialog, IDC_FOLDER_EDIT), nullptr);
  // Cancelled and confirmed: the run ends without a further message.
  ASSERT_TRUE(automation::PressButton(dialog, IDCANCEL));
  HWND box = automation::WaitForWindow("SkalUpd", 20000, runner.Id());
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(automation::AnswerMessageBox(box, IDYES));
  DWORD exitCode = 1;
  EXPECT_TRUE(runner.Wait(20000, exitCode));
  EXPECT_EQ(exitCode, 0u);
}

TEST(RegistryString, TheCurrentUsersProgramPathWins) {
  const std::string key = "SOFTWARE\\Norvance\\AntiVirus\\V3.0";
  ASSERT_TRUE(sim::SetRegistryString(HKEY_LOCAL_MACHINE, key, "ProgramPath", "C:\\machine\\"));
  ASSERT_TRUE(sim::SetRegistryString(HKEY_CURRENT_USER, key, "ProgramPath", "C:\\user\\"));
  std::string folder;
  EXPECT_EQ(ReadRegistryString(key, "ProgramPath", folder), 1);
  EXPECT_EQ(folder, "C:\\user\\");
  sim::RemoveProductKeys();
}

// The product check of a run: unreadable product data stops it, shown and logged.
TEST(ProductCheck, UnreadableProductDataIsShownAndLogged) {
  sim::RemoveProductKeys();
  sim::Installation installation;
  installation.version = 4;
  installation.folder = MakeScratchFolder("product");
  installation.marker = false;  // no ISKAL.DAT
  ASSERT_TRUE(sim::LayOut(installation));
  const std::string catalogue = MakeScratchFolder("catalogue");
  ASSERT_TRUE(WritePacked(catalogue + "index.dat", "[COMMENT]\r\nPacketType=General_DB\r\n"));
  Probe check({"check", catalogue + "index.dat", installation.folder, "3"});
  EXPECT_EQ(check.Answer(RunnerText(kMsgTitleConfirm), IDOK), RunnerText(kMsgProductDataMissing));
  EXPECT_EQ(check.Result(), std::vector<std::string>{"0"});
  const std::string logs = installation.folder + "LOGS\\";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((logs + "*Update.LOG").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_NE(ReadWholeFile(logs + found.cFileName).find(RunnerText(kMsgProductDataMissing)), std::string::npos);
  sim::RemoveProductKeys();
}

}  // namespace
