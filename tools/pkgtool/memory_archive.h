#pragma once
// A package archive read entirely in memory with the runner's extraction
// order and checks, for inspecting a package without writing anything.
#include <string>
#include <vector>

#include "package/archive_extraction.h"

struct ExtractedEntry {
  EntryPlacement placement;
  std::vector<unsigned char> data;
  ArchiveTimes times;
};

// Extracts every entry of `archive` into `entries`, in directory order.
ExtractOutcome ExtractInMemory(const std::vector<unsigned char>& archive, std::vector<ExtractedEntry>& entries);
