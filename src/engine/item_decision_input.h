#pragma once
// Fills the update decision's input from a parsed catalogue item.
#include <string>

#include "engine/update_decision.h"

class UpdateCatalog;
struct UpdateItem;

// The item's fields, the catalogue's installed-component mask and, for
// method 7, the section's OldVersion key (room for 69 characters, default "0").
DecisionInput MakeDecisionInput(const UpdateCatalog& catalog, const UpdateItem& item, const std::string& programDir);
