#include "commit/file_replacement.h"

#include "commit/os_family.h"
#include "platform/whole_file.h"

std::string AsidePath(const std::string& target) { return target + ".old"; }

bool ReplaceFile(FileSystem& files, int32_t osFamily, const std::string& source, const std::string& target) {
  if (osFamily != kOsFamily9x && osFamily != kOsFamilyMe) return files.MoveReplacing(source, target);
  if (!PathExists(files, target)) return files.Move(source, target);
  // The target stands, so an aside file is left over from a replacement
  // that completed without removing it.
  const std::string aside = AsidePath(target);
  if (PathExists(files, aside)) {
    files.SetAttributes(aside, kAttributeNormal);
    if (!files.Delete(aside)) return false;
  }
  if (!files.Move(target, aside)) return false;
  if (!files.Move(source, target)) {
    files.Move(aside, target);
    return false;
  }
  files.SetAttributes(aside, kAttributeNormal);
  files.Delete(aside);
  return true;
}

void RestoreAsideFile(FileSystem& files, const std::string& target) {
  const std::string aside = AsidePath(target);
  if (!PathExists(files, target) && PathExists(files, aside)) files.Move(aside, target);
}
