#pragma once
// CopyFile.ini, the list of deferred replacements that the copy program
// (CopyFile.EXE) works through when Windows Me starts it at the next start.
//
// One section per destination, with two keys:
//   src = full path of the staged file (the new file, in the temporary folder)
//   dst = full path of the destination file
// The section of the first destination with a given file name is that file
// name, as in
//   [X.DLL]
//   src=C:\WINDOWS\TEMP\X.DLL0
//   dst=C:\Program Files\Skal\X.DLL
// A further destination with the same file name (another folder) gets the
// file name, "|" and a number from 2 upwards: [X.DLL|2], [X.DLL|3], ... A
// file name cannot hold "|", so these names never meet another file's
// section. A destination already listed keeps its section and gets the newer
// staged file. The copy program takes every section holding both keys,
// whatever its name, in file order.
#include <string>
#include <vector>

#include "catalog/ini_file.h"
#include "commit/file_pair.h"

// The section under which the replacement of `destination` goes into the
// list `copyList` (the parsed CopyFile.ini; empty when there is none yet).
std::string CopySectionFor(const IniFile& copyList, const std::string& destination);

// The replacements the list holds, in file order.
std::vector<FilePair> ListedCopies(const IniFile& copyList);
