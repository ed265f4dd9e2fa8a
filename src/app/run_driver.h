#pragma once
// The spine of a run: start-up, preparation before any window exists, and the
// report dialog in which the update itself runs.
class UpdateCatalog;
struct UpdateRun;

class UpdateApp {
 public:
  UpdateApp(UpdateRun& run, UpdateCatalog& catalog) : run_(run), catalog_(catalog) {}
  // Runs the whole program; returns false in every case, so that the program
  // ends when it returns.
  bool InitInstance();

 private:
  UpdateRun& run_;
  UpdateCatalog& catalog_;
};

// 1 when the run may go on to the report dialog, 0 when the program must end
// (every failure the user is told about has shown its own message box).
int PrepareRun(UpdateRun& run, UpdateCatalog& catalog);

// The installed product must be readable and, for a package made for one
// version, be that version. 1 pass, 0 stop (message shown and logged).
int CheckInstalledProduct(UpdateRun& run, const UpdateCatalog& catalog);
