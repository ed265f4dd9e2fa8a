#pragma once
// The spine of a run: start-up, preparation before any window exists, and the
// report dialog in which the update itself runs.
#include <string>

#include "app/exit_code.h"

class UpdateCatalog;
struct UpdateRun;

class UpdateApp {
 public:
  UpdateApp(UpdateRun& run, UpdateCatalog& catalog) : run_(run), catalog_(catalog) {}
  // Reads the switches (the text after the program name) and runs the whole
  // program; returns its exit code: 0 for a run with the report dialog, the
  // unattended codes of exit_code.h otherwise.
  int Run(const std::string& commandLine);

 private:
  // Answers /?; returns the exit code.
  int ShowUsage();
  // Tells that the run needs administrator rights (message box, or the
  // report of an unattended run) and returns the failure exit code.
  int RefuseWithoutRights();

  UpdateRun& run_;
  UpdateCatalog& catalog_;
};

// kReady when the run may go on to the update, else why the program must end
// (every failure the user is told about has shown its own message box).
Preparation PrepareRun(UpdateRun& run, UpdateCatalog& catalog);

// The installed product must be readable and, for a package made for one
// version, be that version. 1 pass, 0 stop (message shown and logged).
int CheckInstalledProduct(UpdateRun& run, const UpdateCatalog& catalog);
