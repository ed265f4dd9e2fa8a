// The runner's start-up and preparation, driven as a user meets them: the
// message box it shows is found by its caption, read and answered, and the
// program must then end without ever opening its report window.
#include <gtest/gtest.h>

#include "automation_win.h"
#include "child_process_win.h"
#include "pack.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// A text of the runner's own string table, loaded from its executable.
std::string RunnerText(unsigned id) {
  static HMODULE runner = LoadLibraryExA((ProgramFolder() + "SkalUpd.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  char buffer[2048] = {};
  int length = LoadStringA(runner, id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

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

TEST_F(RunnerStart, AStepNotYetBuiltStopsWithoutPretendingSuccess) {
  WritePackedCatalogue(package, "[COMMENT]\r\nPacketType=General_DB\r\n");
  Outcome outcome = RunExpectingBox(RunnerText(25));
  EXPECT_NE(outcome.text.find("ChooseInstallation"), std::string::npos) << outcome.text;
  EXPECT_NE(outcome.exitCode, 0u);
  EXPECT_EQ(GetFileAttributesA((TempFolder() + "index.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
