#pragma once
// The two rules by which catalogue flags are read; they differ on purpose.
#include <string>

// "TRUE" or "1" in any case; everything else, empty included, is false.
bool IsTrueFlag(const std::string& text);

// False only for "FALSE" or "0" in any case; everything else is true.
bool IsTrueUnlessFalse(const std::string& text);
