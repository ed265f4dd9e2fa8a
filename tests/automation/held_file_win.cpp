#include "held_file_win.h"

namespace automation {
namespace {

constexpr int kReadyPolls = 200;
constexpr DWORD kPollMs = 50;

}  // namespace

bool HoldFile(ChildProcess& holder, const std::string& path, const std::string& mode) {
  const std::string marker = path + ".ready";
  DeleteFileA(marker.c_str());
  // Long enough for any test; the holder is terminated when the test is done.
  const std::string line = CommandLine(ProgramFolder() + "holdfile.exe", {path, mode, "3600"});
  if (!holder.Start(line)) return false;
  for (int i = 0; i < kReadyPolls; ++i) {
    if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    DWORD exitCode = 0;
    if (holder.Wait(kPollMs, exitCode)) break;  // holdfile failed
  }
  holder.Terminate();
  return false;
}

}  // namespace automation
