#pragma once
// What the install folder dialog makes of the folder the user entered,
// before it looks for the edition's main program there.
#include <string>

enum class FolderEntry {
  kEmpty,    // nothing entered (message 49)
  kTooLong,  // with its trailing backslash the folder exceeds the path limit (message 50)
  kToCheck,  // `folder` now ends with a backslash; look for the main program
};

FolderEntry NormaliseFolderEntry(std::string& folder);

// The main program of the oldest edition, which an accepted folder holds.
constexpr const char* kOldestEditionProgram = "zmt9x.exe";
