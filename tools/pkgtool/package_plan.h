#pragma once
// A package source (catalog.ini and files/) checked and turned into what the
// package folder receives. Nothing is written here.
#include <string>
#include <vector>

#include "archive_writer.h"
#include "source_files.h"

struct PackagePlan {
  std::string catalogue;                   // catalog.ini with FileSize and CRC filled in
  std::vector<std::string> archiveFolder;  // PathName, as folder levels
  std::vector<ArchiveMember> members;      // the archive's entries, keys still 0
  std::vector<SourceFile> copies;          // files copied beside the archive
};

// Reads and checks the source folder. False when the package could not work;
// `problems` then holds one line for each reason, naming the item or file.
bool PlanPackage(const std::string& sourceDir, PackagePlan& plan, std::vector<std::string>& problems);
