#include "commit/copy_program_win.h"

#include <windows.h>

#include "catalog/ini_file.h"
#include "commit/copy_list.h"
#include "commit/embedded_programs_win.h"
#include "commit/run_entries.h"
#include "paths/path_ops.h"
#include "platform/file_win.h"
#include "platform/profile_win.h"
#include "platform/short_path_win.h"

namespace {

std::string CopyListPath(const RestartFolders& folders) { return folders.tempDir + "CopyFile.ini"; }

// The list's bytes; empty when there is no list yet.
std::string ReadCopyList(const RestartFolders& folders) {
  std::string bytes;
  FileHandle file(CopyListPath(folders), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (file.IsOpen() && !file.ReadAll(bytes)) bytes.clear();
  return bytes;
}

}  // namespace

int DeferByCopyProgram(const RestartFolders& folders, const std::string& destination, const std::string& staged) {
  SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
  const std::string list = CopyListPath(folders);
  const std::string section = CopySectionFor(IniFile(ReadCopyList(folders)), destination);
  bool written = WriteProfileText(list, section, "src", staged);
  written = WriteProfileText(list, section, "dst", destination) && written;
  return written ? 1 : 0;
}

int ArmCopyProgram(const RestartFolders& folders) {
  std::string program;
  if (!ShortPathOf(folders.tempDir, program)) return 0;
  EnsureTrailingBackslash(program);
  program += "CopyFile.EXE";
  if (!WriteEmbeddedProgram(CarriedProgram::kCopyProgram, program)) return 0;

  const std::string winIni = folders.windowsDir + "Win.ini";
  const std::string run = ReadProfileText(winIni, "windows", "Run");
  const std::string armed = AddRunEntry(run, program);
  return armed == run || WriteProfileText(winIni, "windows", "Run", armed) ? 1 : 0;
}

std::vector<FilePair> PendingCopies(const RestartFolders& folders) {
  return ListedCopies(IniFile(ReadCopyList(folders)));
}
