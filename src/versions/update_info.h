#pragma once
// The installation's update-info file (UpdInfo.DAT), expanded to a working
// copy in the temporary folder for the run. It tells whether the report ends
// with the list of installed versions, and which versions that list shows.
#include <memory>
#include <string>

#include "app/report_text.h"

class IniFile;

class UpdateInfo : public VersionLineSource {
 public:
  UpdateInfo();
  // Deletes the working copy.
  ~UpdateInfo() override;
  UpdateInfo(const UpdateInfo&) = delete;
  UpdateInfo& operator=(const UpdateInfo&) = delete;

  // Expands the packed file at `storedPath` into `workingPath` or, when there
  // is no such file, writes the built-in default there. The files named in
  // the list are taken relative to the folder of `storedPath`. 1 when the
  // working copy was produced and read, else 0.
  int OpenUpdateInfo(const std::string& storedPath, const std::string& workingPath);
  // An integer of the working copy; 0 (whatever the default) while there is none.
  int ReadInfoInt(const char* section, const char* key, int defaultValue) const;

  // 0 while there is no working copy; else starts the list over and returns 1.
  int BeginVersionReport() override;
  // The next line of the list: its label followed at once by the version
  // text of its file. 0 at the end of the list, or while there is no working copy.
  int NextVersionReportLine(std::string& line) override;

 private:
  std::string workingPath_;
  std::string programDir_;
  std::unique_ptr<IniFile> copy_;  // the parsed working copy; null until opened
  int reportIndex_ = 0;
};
