#include "commit/wininit_file_win.h"

#include <windows.h>

#include "commit/wininit_text.h"
#include "paths/folders_win.h"
#include "platform/file_win.h"

bool ReadWininit(const std::string& iniPath, std::string& text) {
  text.clear();
  if (!FileExists(iniPath)) return true;
  FileHandle file(iniPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  return file.IsOpen() && file.ReadAll(text);
}

bool ReplaceWithFile(const std::string& source, const std::string& target) {
  if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  if (!FileExists(target)) return MoveFileA(source.c_str(), target.c_str()) != 0;
  const std::string aside = target + ".old";
  DeleteFileA(aside.c_str());
  if (!MoveFileA(target.c_str(), aside.c_str())) return false;
  if (!MoveFileA(source.c_str(), target.c_str())) {
    MoveFileA(aside.c_str(), target.c_str());
    return false;
  }
  DeleteFileA(aside.c_str());
  return true;
}

int MergeWininitBlock(const std::string& iniPath, const std::string& block) {
  std::string text;
  if (!ReadWininit(iniPath, text)) return 0;
  const RenameMerge merge = MergeRenameBlock(text, block);
  if (!merge.changed) return 1;

  const std::string fresh = iniPath + ".new";
  bool written;
  {
    FileHandle file(fresh, GENERIC_WRITE, 0, CREATE_ALWAYS);
    written = file.IsOpen() && file.WriteAll(merge.text.data(), static_cast<DWORD>(merge.text.size()));
  }
  if (written && ReplaceWithFile(fresh, iniPath)) return 1;
  DeleteFileA(fresh.c_str());
  return 0;
}
