#pragma once
// A program folder holding the files whose versions the default update-info
// text lists.
#include <windows.h>

#include <string>

#include "../fixtures/fixture_images.h"
#include "win_test_support.h"

namespace testsupport {

// Main program with product version 4.0.0.5, scan engine with header version
// 3.2.1.0, no DrWeb engine, virus database 2004.3.7.
inline bool LayOutVersionFiles(const std::string& folder) {
  return CopyFileA((ProgramFolder() + "verfixture.dll").c_str(), (folder + "ZMT9X.EXE").c_str(), FALSE) &&
         WriteWholeFile(folder + "ZMEngine.DAT", fixtures::HeaderImage(0x00030002u, 0x00010000u)) &&
         WriteWholeFile(folder + "ZMT00007.DAT", fixtures::DatabaseImage(0x07D40307u, 0));
}

}  // namespace testsupport
