#include "versions/database_run.h"

#include "versions/database_names.h"

bool InstalledDatabaseVersion(int latest, const DatabaseVersionReader& readVersion, VersionNumber& version) {
  version = readVersion(DatabaseName(latest, ".DAT"));
  if (version.IsZero()) return false;
  for (int number = latest + 1; number <= kMaxDatabaseNumber; ++number) {
    VersionNumber update = readVersion(DatabaseName(number, ".UPD"));
    if (update.IsZero()) break;
    version = update;
  }
  return true;
}
