#pragma once
// The update log: one file in the installation's LOGS folder, and the same
// lines kept in memory as the report body. The file is held open from the
// start of a run to its end (others may read it meanwhile) and each line is
// written to it as it happens: once WriteFile returns, the line is in the
// system's cache and outlives a crash of the runner, so opening and closing
// the file for every line would buy nothing but round trips.
#include <string>

#include "platform/file_system.h"

class UpdateLog {
 public:
  // The log lives under the program folder that the run state holds; the
  // reference follows that field as discovery replaces it.
  explicit UpdateLog(const std::string& programDir) : programDir_(programDir) {}
  ~UpdateLog();
  UpdateLog(const UpdateLog&) = delete;
  UpdateLog& operator=(const UpdateLog&) = delete;

  // programDir + "LOGS\" + user name + "Update.LOG"; creates the LOGS folder
  // first. Empty when the path would not fit the path limit.
  std::string LogFilePath() const;
  // Opens the log for the run, rotates it when larger than 1 MiB and writes
  // the run header. Non-zero on success.
  int StartRunLog();
  // True once StartRunLog was called: the program folder is the installation's.
  bool Started() const { return started_; }
  // Closes the log at the end of the run, so that another process (the next
  // run, the self-update program continuing this one) can append to it or
  // rotate it. A line appended afterwards opens and closes the file itself.
  void EndRunLog();
  // From now on lines go to `text` only: a dry run writes no file.
  void KeepInMemoryOnly() { memoryOnly_ = true; }
  // Adds the line to `text`, then writes it to the file, opening the file
  // first when it is not open (it could not be opened before, or a write
  // failed). Non-zero when the line reached the file.
  int AppendLine(std::string message, bool withTime = true);

  std::string text;

 private:
  // Opens the log for appending; false when it cannot be opened.
  bool OpenForAppend();
  void Close();

  const std::string& programDir_;
  FileId file_ = kNoFile;
  bool started_ = false;
  bool running_ = false;
  bool memoryOnly_ = false;
};
