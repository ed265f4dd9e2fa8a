#pragma once
// What pkgtool harvest puts into a package source: the files of the new build
// that are new or differ from the installed product, each with the catalogue
// values the runner needs, and what the package cannot bring about.
#include <cstdint>
#include <string>
#include <vector>

#include "harvest_check.h"
#include "harvest_rules.h"

struct HarvestItem {
  std::vector<std::string> parts;  // below the program folder: folder levels, then the file name
  std::string sourcePath;          // the new build's file on this machine
  bool isNew = false;              // not installed at all
  uint64_t FileSize = 0;
  uint32_t CRC = 0;
  HarvestedCheck check;
  FileKind kind;
};

struct HarvestPlan {
  std::vector<HarvestItem> items;     // in byte order of their paths
  std::vector<std::string> warnings;  // one line each
  size_t unchanged = 0;
};

// Compares the installed product `oldDir` with the new build `newDir`. Paths
// compare without regard to ASCII case, as Windows compares them. False, with
// a reason, when a folder or file cannot be read.
bool PlanHarvest(const std::string& oldDir, const std::string& newDir, const HarvestRules& rules, HarvestPlan& plan,
                 std::string& error);

// A path below the program folder with \ between levels, as the runner writes it.
std::string WindowsPath(const std::vector<std::string>& parts);
