#pragma once
// The dry run (/LIST): everything up to the item step as in an update, then
// a report of what the update would replace and why, and nothing changed.
class UpdateCatalog;
struct UpdateRun;

// The update step of this run: the listing for /LIST, else the commit.
int UpdateOrList(UpdateRun& run, UpdateCatalog& catalog);

// Logs each item an update would put in place, with the reason the update
// decision gives, then how many files that is; stops, replaces and records
// nothing. As the commit: message 28 for an empty list, message 29 and 0 for
// a damaged package, else 1.
int ListNeededItems(UpdateRun& run, UpdateCatalog& catalog);
