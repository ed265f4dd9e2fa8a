#pragma once
// Which of the catalogue's kept items a commit may put in place.
#include <cstdint>
#include <forward_list>

#include "catalog/update_item.h"

// The package copy matched its CRC, the file type is one of the catalogue's
// and the update decision wants the file.
bool ItemQualifies(const UpdateItem& item, uint32_t catalogTypeMask);

// True when a kept item's package copy is missing or damaged: such a package
// must replace nothing, so that no installation is left with half its files
// updated.
bool PackageDamaged(const std::forward_list<UpdateItem>& items);
