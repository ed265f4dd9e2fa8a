#pragma once
// Entries of the [DisplayVer] section of the update-info file: what each line
// of the report's version list shows.
#include <cstdint>
#include <string>

class IniFile;

struct VersionReportEntry {
  enum Method : int32_t { kResourceVersion = 0, kHeaderVersion = 1, kDatabaseVersion = 2 };

  std::string description;  // the line's label; the product's labels end with a colon
  std::string fileName;     // relative to the program folder
  int32_t method = kResourceVersion;
};

// Entry `index`: Descript<index>, FileName<index> (each cut at 499 bytes) and
// VersionMethod<index> (default 0). False when the label or the file name is
// empty or missing, which ends the list.
bool ReadVersionReportEntry(const IniFile& info, int index, VersionReportEntry& entry);
