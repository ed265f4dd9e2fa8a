// Faults in unattended runs of the unchanged runner over a package built as
// pkgtool builds it, on drives that fault_drives.sh mounts: a full disk and a
// read-only program folder. No installed file may be lost or left
// half-written, and the failure is reported with its message and exit code.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "log/message_text.h"
#include "package_plan.h"
#include "package_writer.h"
#include "paths/folders_win.h"
#include "resources/message_ids.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// One more file the package brings, laid beside the archive (no packing, so
// that large files cost little to build).
struct PackageFile {
  std::string name;
  std::string bytes;
  std::string localPath;  // the catalogue's LocalPath; empty: the program folder
};

class FaultDrive : public ::testing::Test {
 protected:
  std::string package;  // holds the runner; ends with a backslash
  std::string report = MakeScratchFolder("report") + "r.txt";

  void SetUp() override { sim::RemoveProductKeys(); }
  // The file that fills the full drive goes with the test that made it.
  void TearDown() override {
    if (const char* full = std::getenv("SKAL_FULL_DRIVE")) DeleteFileA((std::string(full) + "\\filler.bin").c_str());
    sim::RemoveProductKeys();
  }

  // Antivirus V4.0 installed in `product` (ending with a backslash), and a
  // general package in a scratch folder with SkalUpd.exe beside it, which
  // replaces ZMEngine.DAT (from its archive) and `files`.
  void Prepare(const std::string& product, const std::vector<PackageFile>& files) {
    sim::Installation installation;
    installation.folder = product;
    ASSERT_TRUE(sim::LayOut(installation));
    const std::string source = MakeScratchFolder("source");
    ASSERT_TRUE(CreateDirectoryA((source + "files").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((source + "files\\ZMTUPD").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(source + "files\\ZMTUPD\\ZMEngine.DAT", "engine 4.0.3.1"));
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

  // An unattended run to its end, with its report in `reportPath` (empty:
  // where the runner puts it); its exit code (0xFFFFFFFF when it hung).
  DWORD RunUnattended(const std::string& reportPath) {
    automation::ChildProcess runner;
    const std::string reportSwitch = reportPath.empty() ? "" : " \"/REPORT=" + reportPath + "\"";
    EXPECT_TRUE(runner.Start("\"" + package + "SkalUpd.exe\" /S" + reportSwitch, package));
    DWORD exitCode = 0xFFFFFFFF;
    if (!runner.Wait(180000, exitCode)) ADD_FAILURE() << "the runner did not end";
    return exitCode;
  }
};

// Message `id` formatted with `args` (a file and its folder, say) is in the report.
bool Holds(const std::string& report, unsigned id, std::initializer_list<std::string> args = {}) {
  return report.find(FormatMessageText(RunnerText(id), args)) != std::string::npos;
}

// Messages 30 and 32, and not 31: the run failed and asks to update again.
bool ReportsAFailedRun(const std::string& report) {
  return Holds(report, kMsgFilesUpdateFailed) && Holds(report, kMsgUpdateAgain) && !Holds(report, kMsgFilesUpdated);
}

// The drives: a small full drive (SKAL_FULL_DRIVE), and one folder tree
// seen through two drives, writable (SKAL_DATA_DRIVE) and read-only
// (SKAL_READONLY_DRIVE). Wine running as root ignores the read-only
// attribute, so only a read-only mount makes a folder that cannot be written.

// "X:\" for the drive the variable names; fails the test when it is unset.
std::string Drive(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') {
    ADD_FAILURE() << variable << " is not set: run this program through tests/win/fault_drives.sh";
    return "C:\\";
  }
  return std::string(value) + "\\";
}

// Fills the drive of `folder` to the last byte with a file there, then gives
// back `slack` bytes. False when the drive never reported itself full.
bool FillDrive(const std::string& path, DWORD slack) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string chunk(4096, 'f');
  DWORD written = 0, total = 0;
  bool full = false;
  for (int i = 0; i < 1 << 20 && !full; ++i) {
    full = !WriteFile(file, chunk.data(), DWORD(chunk.size()), &written, nullptr) || written < chunk.size();
    total += written;
  }
  bool ok = full && total > slack && SetFilePointer(file, LONG(total - slack), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
            SetEndOfFile(file);
  CloseHandle(file);
  return ok;
}

// Every file below `folder`, by its path from there, with a hash of its bytes.
std::map<std::string, size_t> FilesBelow(const std::string& folder) {
  std::map<std::string, size_t> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const auto& [below, hash] : FilesBelow(folder + name + "\\")) files[name + "\\" + below] = hash;
    } else {
      files[name] = std::hash<std::string>{}(ReadWholeFile(folder + name));
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}


// The program folder on a drive with less room than the new file needs:
// the side copy fails, is removed, and the file stays the old one (message
// 13); the files that fit are replaced; the run ends with 30 and 32 and exit
// code 1603. With room again the next run completes the update.
TEST_F(FaultDrive, AFullDiskKeepsTheInstalledFileAndFailsTheRun) {
  const std::string product = Drive("SKAL_FULL_DRIVE") + "Skal\\";
  ASSERT_TRUE(CreateDirectoryA(product.c_str(), nullptr));
  const std::string bigNew = Noise(1 << 20, 2), smallNew = "small database 1.0.0.1";
  Prepare(product, {{"ZMTSMALL.DAT", smallNew, ""}, {"ZMTLARGE.DAT", bigNew, ""}});
  const std::string bigOld = Noise(1 << 20, 1);
  ASSERT_TRUE(WriteWholeFile(product + "ZMTLARGE.DAT", bigOld));
  ASSERT_TRUE(WriteWholeFile(product + "ZMTSMALL.DAT", "small database, older"));
  const std::string filler = Drive("SKAL_FULL_DRIVE") + "filler.bin";
  ASSERT_TRUE(FillDrive(filler, 256 << 10)) << "the drive did not fill up";

  EXPECT_EQ(RunUnattended(report), 1603u);
  EXPECT_TRUE(ReadWholeFile(product + "ZMTLARGE.DAT") == bigOld) << "the installed file changed";
  EXPECT_EQ(ReadWholeFile(product + "ZMTSMALL.DAT"), smallNew);
  EXPECT_FALSE(FileExists(product + "ZMTLARGE.DAT0")) << "a side copy is left on the full drive";
  const std::string text = ReadWholeFile(report);
  EXPECT_TRUE(Holds(text, kMsgStagingFailed, {"ZMTLARGE.DAT", product})) << text;
  EXPECT_TRUE(Holds(text, kMsgUpdated, {"ZMTSMALL.DAT", product})) << text;
  EXPECT_TRUE(ReportsAFailedRun(text)) << text;

  ASSERT_TRUE(DeleteFileA(filler.c_str()));
  EXPECT_EQ(RunUnattended(report), 0u);
  EXPECT_TRUE(ReadWholeFile(product + "ZMTLARGE.DAT") == bigNew);
  EXPECT_TRUE(Holds(ReadWholeFile(report), kMsgFilesUpdated)) << ReadWholeFile(report);
}

// An installation seen only through a read-only drive: the run stops before
// it touches anything, names the folder it cannot write, ends with exit code
// 1603, and not a byte of the installation changes.
TEST_F(FaultDrive, AReadOnlyProgramFolderChangesNothingAndFailsTheRun) {
  const std::string writable = Drive("SKAL_DATA_DRIVE") + "Skal\\";
  const std::string readOnly = Drive("SKAL_READONLY_DRIVE") + "Skal\\";
  ASSERT_TRUE(CreateDirectoryA(writable.c_str(), nullptr));
  Prepare(writable, {{"ZMTSMALL.DAT", "small database 1.0.0.1", ""}, {"Plugin.DAT", "plugin", "%PROGRAMDIR\\Plugins%"}});
  ASSERT_TRUE(sim::SetRegistryString(HKEY_LOCAL_MACHINE, sim::ProductKey(sim::Product::kAntivirus, 4), "ProgramPath",
                                     readOnly));
  ASSERT_TRUE(WriteWholeFile(writable + "ZMTSMALL.DAT", "small database, older"));
  ASSERT_FALSE(WriteWholeFile(readOnly + "probe.txt", "x")) << "the read-only drive can be written";
  const auto before = FilesBelow(writable);

  EXPECT_EQ(RunUnattended(report), 1603u);
  EXPECT_EQ(FilesBelow(writable), before);
  const std::string text = ReadWholeFile(report);
  EXPECT_TRUE(Holds(text, kMsgNeedsAdministrator, {readOnly})) << text;
  EXPECT_FALSE(Holds(text, kMsgFilesUpdated)) << text;

  // Without /REPORT the report cannot go beside the log: it goes to the
  // temporary folder.
  const std::string fallback = TempFolder() + "UpdReport.txt";
  DeleteFileA(fallback.c_str());
  EXPECT_EQ(RunUnattended(""), 1603u);
  EXPECT_TRUE(Holds(ReadWholeFile(fallback), kMsgNeedsAdministrator, {readOnly})) << ReadWholeFile(fallback);
  EXPECT_EQ(FilesBelow(writable), before);
}

}  // namespace
