#pragma once
#include <cstdint>

#include "commit/os_family.h"

// Asks GetVersionExA (extended structure first, then the basic one) for the
// running family; kOsFamilyUnknown when both calls fail.
int32_t DetectOsFamily();
