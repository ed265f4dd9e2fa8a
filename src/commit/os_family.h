#pragma once
// The Windows family the run works on, which decides how a locked file is
// replaced at the next restart.
#include <cstdint>
#include <string>

constexpr int32_t kOsFamilyUnknown = -1;  // not worked out yet
constexpr int32_t kOsFamilyOther = 0;
constexpr int32_t kOsFamily9x = 1;        // Windows 95 and 98
constexpr int32_t kOsFamilyMe = 2;
constexpr int32_t kOsFamilyNt = 3;

// The family of a GetVersionExA answer: platform 1 splits at build 0x045A
// (high word of the build number) into 95/98 and Me, platform 2 is NT.
int32_t OsFamilyOf(uint32_t platformId, uint32_t buildNumber);

// Wininit.ini takes 8.3 names only: a staged file goes there when its name
// (file name + number, without the folder) has at most 12 characters; longer
// ones take the family's long-name route.
bool StagedNameFitsWininit(const std::string& staged);
