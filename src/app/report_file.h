#pragma once
// The report of a run saved as a file, through the file-system seam.
#include <cstdint>
#include <string>

#include "platform/file_system.h"

// Saves `report` as it stands (ANSI text with CR LF line ends, no byte-order
// mark, no terminating NUL) as `path`. A file already there is replaced only
// by a whole new one: the report is written and flushed beside it as `path`
// + ".new", then put in its place as the commit replaces a file. A read-only
// file or a folder at `path` is refused, as creating the file would be.
// False when the report was not saved; whatever was at `path` is then as it
// was, and no partial file is left.
bool SaveReportFile(FileSystem& files, int32_t osFamily, const std::string& path, const std::string& report);
