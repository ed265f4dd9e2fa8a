// Faults during the commit that need drives of their own, which
// fault_drives.sh mounts and maps into the Wine prefix before it starts this
// program: a small full drive (SKAL_FULL_DRIVE), and one folder tree seen
// through two drives, writable (SKAL_DATA_DRIVE) and read-only
// (SKAL_READONLY_DRIVE). Wine running as root ignores the read-only
// attribute, so only a read-only mount makes a folder that cannot be written.
#include <cstdlib>
#include <functional>
#include <map>

#include "fault_run_win.h"
#include "paths/folders_win.h"
#include "resources/message_ids.h"

using namespace testsupport;

namespace {

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

// Every file below `folder` with its size and a hash of its bytes.
void ListFiles(const std::string& folder, const std::string& relative, std::map<std::string, std::string>& files) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + relative + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListFiles(folder, relative + name + "\\", files);
      continue;
    }
    const std::string bytes = ReadWholeFile(folder + relative + name);
    files[relative + name] = std::to_string(bytes.size()) + " bytes, hash " + std::to_string(std::hash<std::string>{}(bytes));
  } while (FindNextFileA(search, &found));
  FindClose(search);
}
std::map<std::string, std::string> FilesBelow(const std::string& folder) {
  std::map<std::string, std::string> files;
  ListFiles(folder, "", files);
  return files;
}

class FaultDrive : public FaultRun {
 protected:
  std::string report = MakeScratchFolder("report") + "r.txt";

  // The file that fills the full drive goes with the test that made it.
  void TearDown() override {
    if (const char* full = std::getenv("SKAL_FULL_DRIVE")) DeleteFileA((std::string(full) + "\\filler.bin").c_str());
    FaultRun::TearDown();
  }
};

// The program folder on a drive with less room than the new file needs:
// the side copy fails, is removed, and the file stays the old one (message
// 13); the files that fit are replaced; the run ends with 30 and 32 and exit
// code 1603. With room again the next run completes the update.
TEST_F(FaultDrive, AFullDiskKeepsTheInstalledFileAndFailsTheRun) {
  const std::string product = Drive("SKAL_FULL_DRIVE") + "Skal\\";
  ASSERT_TRUE(CreateDirectoryA(product.c_str(), nullptr));
  const std::string bigNew = Noise(1 << 20, 2), smallNew = "small database 1.0.0.1";
  BuildPackage({{"ZMTSMALL.DAT", smallNew, ""}, {"ZMTLARGE.DAT", bigNew, ""}});
  Install(product);
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
  EXPECT_TRUE(Holds(text, kMsgFilesUpdateFailed)) << text;
  EXPECT_TRUE(Holds(text, kMsgUpdateAgain)) << text;
  EXPECT_FALSE(Holds(text, kMsgFilesUpdated)) << text;

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
  BuildPackage({{"ZMTSMALL.DAT", "small database 1.0.0.1", ""}, {"Plugin.DAT", "plugin", "%PROGRAMDIR\\Plugins%"}});
  Install(writable);
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
  automation::ChildProcess runner;
  ASSERT_TRUE(runner.Start("\"" + package + "SkalUpd.exe\" /S", package));
  DWORD exitCode = 0;
  ASSERT_TRUE(runner.Wait(180000, exitCode));
  EXPECT_EQ(exitCode, 1603u);
  EXPECT_TRUE(Holds(ReadWholeFile(fallback), kMsgNeedsAdministrator, {readOnly})) << ReadWholeFile(fallback);
  EXPECT_EQ(FilesBelow(writable), before);
}

}  // namespace
