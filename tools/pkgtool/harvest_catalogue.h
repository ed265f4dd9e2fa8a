#pragma once
// The catalog.ini that pkgtool harvest writes: the package sections, then one
// item section per harvested file, in code page 936 with CR LF line ends.
#include <string>
#include <vector>

#include "harvest_plan.h"

// `archiveFolder` is the package's PathName as folder levels.
std::string HarvestCatalogue(const std::string& packageSections, const std::vector<std::string>& archiveFolder,
                             const std::vector<HarvestItem>& items);

// Item sections are named F0001, F0002, ... in the order of the items.
std::string HarvestSectionName(size_t index);
