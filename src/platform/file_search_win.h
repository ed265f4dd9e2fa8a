#pragma once
// Listing a folder with the system's file search.
#include <string>
#include <vector>

// Long names of the files (not folders) that FindFirstFileA/FindNextFileA
// report for a pattern such as "C:\dir\ZMT?????.DAT". Empty when nothing
// matches or the search cannot be started.
std::vector<std::string> FindFileNames(const std::string& pattern);
