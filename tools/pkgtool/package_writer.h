#pragma once
// Writes a checked package plan into its output folder, all or nothing.
#include <cstdint>
#include <string>

#include "package_plan.h"

// Gives every archive entry a scrambling key drawn from `seed`, lays out the
// archive and the packed catalogue, and writes the package into a staging
// folder beside `outDir` that becomes `outDir` only when every file is
// written. `outDir` must not exist or be an empty folder. False with a
// one-line reason otherwise.
bool WritePackage(PackagePlan& plan, uint64_t seed, const std::string& outDir, std::string& error);
