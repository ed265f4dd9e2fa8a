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

// Needed when the CRC-32 differs (a missing file counts as differing unless CRC is 0).
NeedReason ByCrc(const std::string& installedPath, const DecisionInput& input) {
  if (MatchesCrc(installedPath, input.CRC.c_str()) != 0) return NeedReason::kNotNeeded;
  return FileExists(installedPath) ? NeedReason::kCrcDiffers : NeedReason::kMissing;
}

// Methods without a rule of their own: presence, the method's version reader,
// then the driver version.
NeedReason GeneralRule(const std::string& installedPath, const DecisionInput& input) {
  if (!FileExists(installedPath)) return NeedReason::kMissing;
  VersionNumber ignored;
  if (ReadFileVersion(installedPath, input.CheckVersionMethod, ignored)) return ByCrc(installedPath, input);
  switch (CompareVxdVersion(installedPath, input.Version)) {
    case -1: return NeedReason::kDriverOlder;
    case 1: return NeedReason::kNotNeeded;
    default: return ByCrc(installedPath, input);
  }
}

NeedReason DateRule(const std::string& installedPath, const DecisionInput& input) {
  if (IsFileDateOlder(installedPath, input.Version) == 1)
    return FileExists(installedPath) ? NeedReason::kOlderDate : NeedReason::kMissing;
  return ByCrc(installedPath, input);
}

NeedReason DatabaseTwinRule(const std::string& installedPath, const DecisionInput& input) {
  switch (DatabaseTwinState(input.programDir, input.FileName)) {
    case 1: return NeedReason::kNotNeeded;
    case -1: return ByCrc(installedPath, input);
    default: return NeedReason::kMissing;
  }
}

NeedReason DatabaseVersionRule(const DecisionInput& input) {
  VersionNumber installed;
  GetDatabaseVersion(input.programDir, installed);
  return installed == ParseVersion(input.OldVersion) ? NeedReason::kDatabaseVersion : NeedReason::kNotNeeded;
}

}  // namespace

NeedReason DecideUpdateReason(const DecisionInput& input) {
  if ((input.Belong & input.ComponentMask) == 0) return NeedReason::kNotNeeded;
  if (input.CheckVersionMethod == 4) return NeedReason::kAlways;

  const std::string installedPath = input.LocalPath + input.FileName;
  if (!FitsPathLimit(installedPath)) return NeedReason::kNotNeeded;

  switch (input.CheckVersionMethod) {
    case 3: return ByCrc(installedPath, input);
    case 5: return DateRule(installedPath, input);
    case 2: return DatabaseTwinRule(installedPath, input);
    case 7: return DatabaseVersionRule(input);
    default: return GeneralRule(installedPath, input);
  }
}

int DecideUpdate(const DecisionInput& input) { return DecideUpdateReason(input) == NeedReason::kNotNeeded ? 0 : 1; }
