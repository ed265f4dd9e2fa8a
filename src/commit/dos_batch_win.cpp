#include "commit/dos_batch_win.h"

#include <windows.h>

#include "commit/embedded_programs_win.h"
#include "commit/restart_batch_text.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "platform/file_win.h"
#include "platform/short_path_win.h"

namespace {

struct BatchPaths {
  std::string batch;  // T + "ZMTMove.BAT"
  std::string mover;  // T + "ZMTMove.EXE"
};

bool GetBatchPaths(const std::string& tempDir, BatchPaths& paths) {
  std::string shortTemp;
  if (!ShortPathOf(tempDir, shortTemp)) return false;
  EnsureTrailingBackslash(shortTemp);
  paths = {shortTemp + "ZMTMove.BAT", shortTemp + "ZMTMove.EXE"};
  return true;
}

void EnsureMover(const std::string& mover) {
  if (!FileExists(mover)) WriteEmbeddedProgram(CarriedProgram::kMover, mover);
}

// Opens the file for reading and writing, created when missing, contents kept.
FileHandle OpenKeeping(const std::string& path) {
  return FileHandle(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS);
}

// Adds the start text to one start file unless it is there. True when the
// file holds it afterwards.
bool ArmStartFile(const std::string& path, const std::string& startText) {
  FileHandle file = OpenKeeping(path);
  std::string text;
  if (!file.IsOpen() || !file.ReadAll(text)) return false;
  std::string addition = StartTextToAppend(text, startText);
  return addition.empty() || (file.SeekToEnd() && file.WriteAll(addition.data(), DWORD(addition.size())));
}

}  // namespace

int DeferByDosBatch(const RestartFolders& folders, const std::string& destination, const std::string& staged) {
  SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
  BatchPaths paths;
  std::string shortWindows, shortDestination, shortStaged;
  if (!GetBatchPaths(folders.tempDir, paths) || !ShortPathOf(folders.windowsDir, shortWindows) ||
      !ShortPathOf(destination, shortDestination) || !ShortPathOf(staged, shortStaged)) {
    return 0;
  }
  EnsureTrailingBackslash(shortWindows);
  EnsureMover(paths.mover);

  // The mover's line names the staged file twice; where that is too long for DOS,
  // the shorter Attrib, copy and del lines may still fit.
  std::string group = FileExists(paths.mover) ? MoverGroup(paths.mover, shortStaged, shortDestination) : "";
  if (group.empty()) group = FallbackGroup(shortWindows + "Command\\Attrib", shortStaged, shortDestination);
  if (group.empty()) return 0;
  FileHandle batch = OpenKeeping(paths.batch);
  if (!batch.IsOpen() || !batch.SeekToEnd()) return 0;
  return batch.WriteAll(group.data(), DWORD(group.size())) ? 1 : 0;
}

std::vector<std::string> PendingBatchMoves(const RestartFolders& folders) {
  BatchPaths paths;
  std::string text;
  if (!GetBatchPaths(folders.tempDir, paths)) return {};
  FileHandle batch(paths.batch, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!batch.IsOpen() || !batch.ReadAll(text)) return {};
  return BatchDestinations(text);
}

int ArmDosBatch(const RestartFolders& folders) {
  BatchPaths paths;
  if (!GetBatchPaths(folders.tempDir, paths)) return 0;
  std::string startText = StartFileText(paths.batch, paths.mover);
  if (startText.empty()) return 0;
  EnsureMover(paths.mover);
  bool armed = ArmStartFile("C:\\Autoexec.bat", startText);
  armed = ArmStartFile(folders.windowsDir + "WinStart.bat", startText) || armed;
  return armed ? 1 : 0;
}
