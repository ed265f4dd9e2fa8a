#include "commit/wininit_file.h"

#include "commit/file_replacement.h"
#include "commit/os_family.h"
#include "commit/wininit_text.h"
#include "platform/whole_file.h"

bool ReadWininit(FileSystem& files, const std::string& iniPath, std::string& text) {
  text.clear();
  RestoreAsideFile(files, iniPath);
  return !PathExists(files, iniPath) || ReadWholeFile(files, iniPath, text);
}

bool WriteWininit(FileSystem& files, const std::string& iniPath, const std::string& text) {
  const std::string fresh = iniPath + ".new";
  if (!WriteFlushedFile(files, fresh, text)) return false;
  // Only Windows 95/98/Me read the file: replaced their way.
  if (ReplaceFile(files, kOsFamily9x, fresh, iniPath)) return true;
  files.Delete(fresh);
  return false;
}

int MergeWininitBlock(FileSystem& files, const std::string& iniPath, const std::string& block) {
  std::string text;
  if (!ReadWininit(files, iniPath, text)) return 0;
  const RenameMerge merge = MergeRenameBlock(text, block);
  return !merge.changed || WriteWininit(files, iniPath, merge.text) ? 1 : 0;
}
