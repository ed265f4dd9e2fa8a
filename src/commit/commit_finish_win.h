#pragma once
// The end of a commit, after every item was handled.
struct UpdateRun;

// Without deferred replacements, deletes the superseded databases now. With
// them, schedules their deletion for the same restart and, on 95/98 and Me,
// arms the restart-time program that completes the long-name replacements.
// 0 (with the run marked incomplete) when that program cannot be armed.
int FinishCommit(UpdateRun& run);
