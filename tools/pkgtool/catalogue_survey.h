#pragma once
// The items of a catalogue as the runner's walk and item step read them, on a
// stand-in machine, with the reason for every item the runner would reject or
// could only read cut short.
#include <string>
#include <vector>

#include "catalog/update_catalog.h"

struct ItemProblem {
  std::string section;
  std::string reason;
};

struct CatalogueSurvey {
  std::vector<UpdateItem> items;       // every item the item step accepts, in file order
  std::vector<ItemProblem> problems;   // rejected items, over-long values and section names
};

// Walks the catalogue loaded into `catalog`. False when the walk itself fails
// (no catalogue text, or no section at all).
bool SurveyCatalogue(UpdateCatalog& catalog, CatalogueSurvey& survey);

// The item's file below the package folder, one entry per folder level and the
// file name last. False when its path would leave the package folder.
bool ItemFileInPackage(const UpdateItem& item, std::vector<std::string>& parts);

// The catalogue's PathName as folder levels (none when it is empty). False when
// it would leave the package folder or is over its limit.
bool ArchiveFolderOf(const UpdateCatalog& catalog, std::vector<std::string>& parts);

// Folder levels joined with '/', for messages and local paths.
std::string JoinParts(const std::vector<std::string>& parts);
