#pragma once
// Version of a virtual device driver (linear executable, "LE") as its own
// version resource states it, compared with a catalogue version text.
#include <string>
#include <string_view>

#include "engine/byte_source.h"

// Largest driver version resource that is read; a longer one counts as
// "version not found".
constexpr size_t kMaxDriverResource = 1024;

// Compares the value after the first "FileVersion" key (any case) of a
// driver's version resource with a dotted version text: -1 when the installed
// value is older, 1 when it is newer, 0 when equal or when no value is found.
// The installed value's parts end at commas (blanks and commas after a comma
// are skipped), the text's parts at dots; the comparison runs while both have
// a part left, so "4.10.0.1998" (dots) compares as its first number only.
int CompareDriverResourceVersion(std::string_view resource, std::string_view versionText);

// Finds the version resource of the driver in `file` (MZ header, LE header at
// the offset held at 60, resource offset and length at 184 and 188 of the LE
// header) and compares it as above. 0 when any header is missing or short,
// when the resource lies outside the file or exceeds kMaxDriverResource.
int CompareDriverVersion(ByteSource& file, std::string_view versionText);

// The driver's version in `file` as a catalogue version text: the parts of
// its FileVersion value, read as CompareDriverVersion reads them, joined with
// dots ("4, 10, 0, 1998" gives "4.10.0.1998"), so that the driver compares
// equal to its own text. Empty when the file has no readable version.
std::string DriverVersionText(ByteSource& file);
