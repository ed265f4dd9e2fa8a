#pragma once
// The virus-database files a newer full database makes obsolete.
#include <string>
#include <vector>

// Of the database file names in a folder listing, those superseded by the
// full database number `latest`: full databases below it, then incremental
// files up to and including it, each group in ascending number. Names are
// returned as listed.
std::vector<std::string> SupersededDatabaseNames(const std::vector<std::string>& names, int latest);
