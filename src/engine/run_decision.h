#pragma once
// The update decision as the item step of a run asks it.
#include "engine/item_decision.h"

struct UpdateRun;

// Fills each parsed item's decision input from the item, the catalogue and
// the run's program folder, asks DecideUpdate and stores the answer in the
// item's Needed.
UpdateDecision DecisionForRun(const UpdateRun& run);
