#pragma once
// The installation's update-info file (UpdInfo.DAT), expanded to a working
// copy in the temporary folder for the run.
#include <string>

class UpdateInfo {
 public:
  // Expands the stored file (or writes the built-in default) to the working path.
  int OpenUpdateInfo(const std::string& storedPath, const std::string& workingPath);
  // An integer of the working copy; 0 while it was not produced.
  int ReadInfoInt(const char* section, const char* key, int defaultValue) const;
};
