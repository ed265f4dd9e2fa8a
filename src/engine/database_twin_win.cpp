#include "engine/database_twin_win.h"

#include "paths/folders_win.h"
#include "versions/database_names.h"

int DatabaseTwinState(const std::string& programDir, const std::string& fileName) {
  if (FileExists(programDir + DatabaseTwinName(fileName))) return 1;
  if (FileExists(programDir + fileName)) return -1;
  return 0;
}
