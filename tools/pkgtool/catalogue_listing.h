#pragma once
// Prints the parts of a loaded catalogue an author wants to see.
#include <ostream>

#include "catalog/update_catalog.h"

// Header keys, file types, processes and components.
void PrintCatalogueHead(UpdateCatalog& catalog, std::ostream& out);

// One line for an item as the item step reads it.
void PrintItem(const UpdateItem& item, std::ostream& out);
