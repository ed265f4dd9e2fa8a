#pragma once
class UpdateCatalog;
struct UpdateRun;

// Replaces the installed files of the catalogue's needed items, defers the
// locked ones to the next restart and removes superseded virus databases;
// every outcome is a line of the run's log.
int CommitUpdate(UpdateRun& run, UpdateCatalog& catalog);
