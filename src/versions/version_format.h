#pragma once
// Display text of a version number.
#include <string>

#include "engine/version_number.h"

// Dotted text a[.b][.c][.d]: part a always, every other part only when it is
// not 0, wherever it stands (4.0.0.5 is "4.5", 2004.3.0.0 is "2004.3",
// 0.0.0.0 is "0"). Every part is shown as 0 to 65535.
std::string FormatVersion(const VersionNumber& version);

// Dotted text a.b.c.d with every part, the form a catalogue writes a version
// in: ParseVersion gives the same number back.
std::string FullVersionText(const VersionNumber& version);
