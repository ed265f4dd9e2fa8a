#pragma once
// The update itself, run once inside the report dialog.
#include <functional>
#include <string>

struct UpdateRun;

// With the wait cursor: runs `commit`, ends the run's log, registers the
// installation's icon handler when it has one (not in a dry run), and
// returns the report of the run: the log text of the run, the version list
// when the update-info file asks for it, and the restart request when a
// replaced or deferred file needs a restart.
std::string RunUpdate(UpdateRun& run, const std::function<int()>& commit);
