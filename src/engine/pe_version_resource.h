#pragma once
// The version resource of a Windows program or library (PE image), read from
// the image's bytes, so that tools off Windows see what the system's version
// functions see.
#include <string_view>

#include "engine/version_number.h"

// True when the image has a version resource (type 16). `fileVersion` is then
// the file version of its fixed part (dwFileVersionMS/LS), or 0 when the
// resource has no valid fixed part. False, with version 0, for anything that
// is not a well-formed PE image with such a resource.
bool ReadPeVersionResource(std::string_view image, VersionNumber& fileVersion);
