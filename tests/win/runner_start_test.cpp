// The runner's start-up and preparation, driven as a user meets them: the
// message box it shows is found by its caption, read and answered, and the
// program must then end without ever opening its report window.
#include <gtest/gtest.h>

#include "automation_win.h"
#include "child_process_win.h"
#include "app/registry_string.h"
#include "pack.h"
#include "resources/dialog_ids.h"
#include "resources/message_ids.h"
#include "runner_probe.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}

void WritePackedCatalogue(const std::string& folder, const std::string& text) {
  std::vector<unsigned char> packed =
      PackImage(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  ASSERT_TRUE(WriteWholeFile(folder + "index.dat", std::string(packed.begin(), packed.end())));
}

void SetMachineKey(const std::string& path, const char* valueName, const std::string& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  if (valueName != nullptr)
    RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
  RegCloseKey(key);
}

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

TEST_F(RunnerStart, MissingCatalogueShowsMessage6AndEnds) {
  Outcome outcome = RunExpectingBox(RunnerText(25));
  EXPECT_EQ(outcome.text, RunnerText(6));
  EXPECT_EQ(outcome.otherWindows, 0u);
  EXPECT_EQ(outcome.exitCode, 0u);
}

TEST_F(RunnerStart, DamagedCatalogueShowsMessage6AndLeavesNoIndexTxt) {
  std::string garbage(200, '\x5A');
  ASSERT_TRUE(WriteWholeFile(package + "index.dat", garbage));
  Outcome outcome = RunExpectingBox(RunnerText(25));
  EXPECT_EQ(outcome.text, RunnerText(6));
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(GetFileAttributesA((TempFolder() + "index.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RunnerStart, CatalogueFolderInPlaceOfTheFileIsDamaged) {
  ASSERT_TRUE(CreateDirectoryA((package + "index.dat").c_str(), nullptr));
  EXPECT_EQ(RunExpectingBox(RunnerText(25)).text, RunnerText(6));
}

TEST_F(RunnerStart, SpecialPackageForAnUnknownKeyShowsMessage40) {
  WritePackedCatalogue(package, "[COMMENT]\r\nPacketType=Special_DB\r\nVersion=3\r\nRegKey=SOFTWARE\\Norvance\\AntiVirus\\V9.0\r\n");
  Outcome outcome = RunExpectingBox(RunnerText(19));
  EXPECT_EQ(outcome.text, RunnerText(40));
  EXPECT_EQ(outcome.exitCode, 0u);
  // The expanded catalogue is removed when the program ends.
  EXPECT_EQ(GetFileAttributesA((TempFolder() + "index.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RunnerStart, SpecialPackageKeyWithoutProgramPathNamesTheEdition) {
  SetMachineKey("SOFTWARE\\Norvance\\AntiVirus\\V4.0", nullptr, "");
  WritePackedCatalogue(package, "[COMMENT]\r\nPacketType=special_db\r\nVersion=3\r\nRegKey=SOFTWARE\\Norvance\\AntiVirus\\V4.0\r\n");
  Outcome outcome = RunExpectingBox(RunnerText(19));
  char expected[1024];
  snprintf(expected, sizeof expected, RunnerText(17).c_str(), "2003", "ZMT32.EXE");
  EXPECT_EQ(outcome.text, expected);
}

TEST_F(RunnerStart, UnknownVersionNamesNoEdition) {
  SetMachineKey("SOFTWARE\\Norvance\\AntiVirus\\V8.0", "Other", "x");
  WritePackedCatalogue(package, "[COMMENT]\r\nPacketType=Special_PFW\r\nVersion=7\r\nRegKey=SOFTWARE\\Norvance\\AntiVirus\\V8.0\r\n");
  char expected[1024];
  snprintf(expected, sizeof expected, RunnerText(17).c_str(), "", "");
  EXPECT_EQ(RunExpectingBox(RunnerText(19)).text, expected);
}

TEST_F(RunnerStart, GeneralPackageWithoutInstallationShowsMessage44) {
  sim::RemoveProductKeys();
  WritePackedCatalogue(package, "[COMMENT]\r\nPacketType=General_DB\r\n");
  Outcome outcome = RunExpectingBox(RunnerText(kMsgTitleNotice));
  EXPECT_EQ(outcome.text, RunnerText(kMsgNoInstallation));
  EXPECT_EQ(outcome.otherWindows, 0u);
  EXPECT_EQ(outcome.exitCode, 0u);
}

TEST_F(RunnerStart, EveryStartClearsTheProductsAutorunValues) {
  const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  ASSERT_TRUE(sim::SetRegistryString(HKEY_CURRENT_USER, run, "ZMTPFWRun", "pfw.exe"));
  RunExpectingBox(RunnerText(kMsgTitleError));  // no catalogue: the run stops at once
  std::string left;
  EXPECT_EQ(ReadRegistryString(run, "ZMTPFWRun", left), 0) << left;
}

TEST_F(RunnerStart, SpecialPackageForTheOldestEditionAsksForItsFolder) {
  sim::RemoveProductKeys();
  WritePackedCatalogue(package, "[COMMENT]\r\nPacketType=Special_DB\r\nVersion=0\r\n"
                                "RegKey=software\\norvance\\antivirus\\v1.0\r\n");
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

// The product check of a run: the installed version must be readable and,
// for a package made for one version, be that version.
class ProductCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::RemoveProductKeys();
    installation.version = 4;
    installation.folder = MakeScratchFolder("product");
    catalogue = MakeScratchFolder("catalogue");
  }
  void TearDown() override { sim::RemoveProductKeys(); }

  // Runs the check for a catalogue of `packetType` and the version index.
  Probe Check(const char* packetType, int versionIndex) {
    WritePackedCatalogue(catalogue, std::string("[COMMENT]\r\nPacketType=") + packetType + "\r\n");
    return Probe({"check", catalogue + "index.dat", installation.folder, std::to_string(versionIndex)});
  }

  std::string LogText() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((installation.folder + "LOGS\\*Update.LOG").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return "";
    FindClose(search);
    return ReadWholeFile(installation.folder + "LOGS\\" + found.cFileName);
  }

  sim::Installation installation;
  std::string catalogue;
};

TEST_F(ProductCheck, ASpecialPackageForAnotherVersionIsRefusedShownAndLogged) {
  ASSERT_TRUE(sim::LayOut(installation));
  Probe other = Check("Special_DB", 2);
  EXPECT_EQ(other.Answer(RunnerText(kMsgTitleConfirm), IDOK), RunnerText(kMsgWrongPackageVersion));
  EXPECT_EQ(other.Result(), std::vector<std::string>{"0"});
  EXPECT_NE(LogText().find(RunnerText(kMsgWrongPackageVersion)), std::string::npos) << LogText();

  EXPECT_EQ(Check("Special_PFW", 3).Result(), std::vector<std::string>{"1"});
  EXPECT_EQ(Check("General_DB", 7).Result(), std::vector<std::string>{"1"});
}

TEST_F(ProductCheck, UnreadableProductDataIsShownAndLogged) {
  installation.marker = false;  // no ISKAL.DAT
  ASSERT_TRUE(sim::LayOut(installation));
  Probe check = Check("General_DB", 3);
  EXPECT_EQ(check.Answer(RunnerText(kMsgTitleConfirm), IDOK), RunnerText(kMsgProductDataMissing));
  EXPECT_EQ(check.Result(), std::vector<std::string>{"0"});
  EXPECT_NE(LogText().find(RunnerText(kMsgProductDataMissing)), std::string::npos);
}

}  // namespace
