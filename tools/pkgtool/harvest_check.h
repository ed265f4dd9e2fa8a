#pragma once
// How harvest has the runner decide whether a machine needs a file: the check
// method and version texts it proposes for one file of the new build.
#include <optional>
#include <string>
#include <string_view>

#include "engine/version_number.h"

struct HarvestedCheck {
  int method = 3;
  std::string Version = "0";
  std::string OldVersion;  // method 7 only
  std::string reason;      // for the author: what the choice rests on
};

// `newBytes` is the new build's file, `oldBytes` the installed one when there
// is one. A virus database of the program folder (`isDatabase`) goes by the
// database rule (method 7) with the installed database version; a program or
// library with a version resource, and a device driver with a version, by the
// general rule (method 0) with that version; anything else by CRC-32
// (method 3). The general rule is not taken where the runner would keep the
// installed file although it differs: when the installed file is a driver
// newer than the new version, or the version text is too long for the
// catalogue.
HarvestedCheck ChooseCheck(std::string_view newBytes, const std::optional<std::string>& oldBytes, bool isDatabase,
                           const VersionNumber& installedDatabase);
