#include "commit/os_family.h"

#include "paths/path_ops.h"

int32_t OsFamilyOf(uint32_t platformId, uint32_t buildNumber) {
  if (platformId == 1) return (buildNumber >> 16) < 0x045A ? kOsFamily9x : kOsFamilyMe;
  if (platformId == 2) return kOsFamilyNt;
  return kOsFamilyOther;
}

bool StagedNameFitsWininit(const std::string& staged) {
  return staged.size() - FolderOfPath(staged).size() <= 12;
}
