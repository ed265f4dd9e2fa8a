#pragma once
#include "package/archive_extraction.h"

// One-line description of an extraction fault, for messages.
const char* DescribeArchiveFault(ArchiveFault fault);
