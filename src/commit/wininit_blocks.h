#pragma once
// The entry lines this system adds to Wininit.ini's [rename] section, each
// ended by CR LF. Paths are short (8.3) paths: the start-up program that
// reads the section knows no other.
#include <string>
#include <vector>

// Deletes the old destination, then moves the TMP copy onto it.
std::string RouteBlock(const std::string& shortDestination, const std::string& shortTmp);

// One "NUL=" line per file, in the given order.
std::string DeletionBlock(const std::vector<std::string>& shortPaths);
