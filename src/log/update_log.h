#pragma once
// The update log: one file in the installation's LOGS folder, appended to one
// line at a time (opened and closed for each line, so a crash loses nothing
// written before it), and the same lines kept in memory as the report body.
#include <string>

class UpdateLog {
 public:
  // The log lives under the program folder that the run state holds; the
  // reference follows that field as discovery replaces it.
  explicit UpdateLog(const std::string& programDir) : programDir_(programDir) {}

  // programDir + "LOGS\" + user name + "Update.LOG"; creates the LOGS folder
  // first. Empty when the path would not fit the path limit.
  std::string LogFilePath() const;
  // Rotates a log larger than 1 MiB and writes the run header. Non-zero on success.
  int StartRunLog();
  // True once StartRunLog was called: the program folder is the installation's.
  bool Started() const { return started_; }
  // From now on lines go to `text` only: a dry run writes no file.
  void KeepInMemoryOnly() { memoryOnly_ = true; }
  // Adds the line to `text`, then appends it to the file. Non-zero when the
  // line reached the file.
  int AppendLine(std::string message, bool withTime = true);

  std::string text;

 private:
  const std::string& programDir_;
  bool started_ = false;
  bool memoryOnly_ = false;
};
