#include "app/report_file.h"

#include "commit/file_replacement.h"
#include "platform/whole_file.h"

bool SaveReportFile(FileSystem& files, int32_t osFamily, const std::string& path, const std::string& report) {
  const uint32_t attributes = files.Attributes(path);
  if (attributes == kNoSuchFile) return WriteFlushedFile(files, path, report);
  if (attributes & (kAttributeReadOnly | kAttributeFolder)) return false;
  const std::string staged = path + ".new";
  if (WriteFlushedFile(files, staged, report) && ReplaceFile(files, osFamily, staged, path)) return true;
  files.Delete(staged);
  return false;
}
