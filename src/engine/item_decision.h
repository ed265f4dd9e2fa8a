#pragma once
// The question the item step asks for every item it has parsed: does this
// machine need the package's copy of the file? The answer is 1 (needed) or 0
// and is also stored in the item's Needed.
#include <functional>

class UpdateCatalog;
struct UpdateItem;

using UpdateDecision = std::function<int(const UpdateCatalog& catalog, UpdateItem& item)>;
