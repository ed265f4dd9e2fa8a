#pragma once
class UpdateCatalog;
struct UpdateRun;

// Replaces the installed files of the catalogue's needed items, defers the
// locked ones to the next restart and removes superseded virus databases;
// every outcome is a line of the run's log (message 28 for an empty list,
// 29 for a damaged package, which then changes nothing, else 31 or 30, and
// 32 when a file could not be updated). 0 only for a damaged package.
int CommitUpdate(UpdateRun& run, UpdateCatalog& catalog);

// Whether the kept items can be put in place at all: -1 (message 28 logged)
// for an empty list, 0 (message 29 logged) for a damaged package, else 1.
int CheckItemList(UpdateRun& run, const UpdateCatalog& catalog);

// Hands over to the self-update when the catalogue asks for it; otherwise
// stops the product's processes, puts every qualifying item in place, in list
// order, and ends with the database clean-up that fits the outcome. 1 when
// every qualifying item was replaced or deferred (or the hand-off was
// written), 0 when one failed, the hand-off could not be written or the list
// is empty.
int CommitItems(UpdateRun& run, UpdateCatalog& catalog);
