#include "engine/update_decision.h"

#include "engine/database_twin_win.h"
#include "engine/file_crc32.h"
#include "engine/file_date_win.h"
#include "engine/file_versions_win.h"
#include "engine/version_number.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "versions/database_probe_win.h"

namespace {

bool CrcDiffers(const std::string& installedPath, const DecisionInput& input) {
  return MatchesCrc(installedPath, input.CRC.c_str()) == 0;
}

// Methods without a rule of their own: presence, the method's version reader,
// then the driver version.
bool GeneralRule(const std::string& installedPath, const DecisionInput& input) {
  if (!FileExists(installedPath)) return true;
  VersionNumber ignored;
  if (ReadFileVersion(installedPath, input.CheckVersionMethod, ignored)) return CrcDiffers(installedPath, input);
  switch (CompareVxdVersion(installedPath, input.Version)) {
    case -1: return true;
    case 1: return false;
    default: return CrcDiffers(installedPath, input);
  }
}

bool DatabaseTwinRule(const std::string& installedPath, const DecisionInput& input) {
  switch (DatabaseTwinState(input.programDir, input.FileName)) {
    case 1: return false;
    case -1: return CrcDiffers(installedPath, input);
    default: return true;
  }
}

bool DatabaseVersionRule(const DecisionInput& input) {
  VersionNumber installed;
  GetDatabaseVersion(input.programDir, installed);
  return installed == ParseVersion(input.OldVersion);
}

}  // namespace

int DecideUpdate(const DecisionInput& input) {
  if ((input.Belong & input.ComponentMask) == 0) return 0;
  if (input.CheckVersionMethod == 4) return 1;

  const std::string installedPath = input.LocalPath + input.FileName;
  if (!FitsPathLimit(installedPath)) return 0;

  bool needed;
  switch (input.CheckVersionMethod) {
    case 3: needed = CrcDiffers(installedPath, input); break;
    case 5: needed = IsFileDateOlder(installedPath, input.Version) == 1 || CrcDiffers(installedPath, input); break;
    case 2: needed = DatabaseTwinRule(installedPath, input); break;
    case 7: needed = DatabaseVersionRule(input); break;
    default: needed = GeneralRule(installedPath, input); break;
  }
  return needed ? 1 : 0;
}
