#pragma once
#include <cstdint>

// Edition name and main program of an installation's version index, as named
// in the message that asks the user to run the main program; both empty
// outside the known editions.
struct EditionNames {
  const char* edition;
  const char* mainProgram;
};
EditionNames EditionNamesOf(int32_t productVersionIndex);

// The registry key of the oldest edition, whose folder the user is asked for.
constexpr const char* kOldestEditionKey = "SOFTWARE\\Norvance\\AntiVirus\\V1.0";
