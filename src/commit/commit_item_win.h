#pragma once
// Putting one item's new file in place of the installed one.
#include "catalog/update_item.h"

struct UpdateRun;

// Copies the package file beside the installed file, checks its CRC there
// and only then replaces the installed file with it, so an installed file is
// never left half-written. When the installed file is locked, the new file
// is staged in the temporary folder (name + first free number), checked, and
// registered to replace it at the next restart. Logs the outcome (messages
// 10 to 16) and sets the run's restart, incomplete and deferred flags.
// Non-zero on success.
int CommitItem(UpdateRun& run, UpdateItem item);
