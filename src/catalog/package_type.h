#pragma once
#include <string>

// The catalogue's package kind.
enum PackageType : int {
  kGeneralAntivirus = 0,  // "General_DB"
  kSpecialAntivirus = 1,  // "Special_DB"
  kGeneralFirewall = 2,   // "General_PFW"
  kSpecialFirewall = 3,   // "Special_PFW"
};

// Maps the header's PacketType text, compared without regard to case; any
// unknown text is a general antivirus package.
PackageType PackageTypeFromText(const std::string& text);

inline bool IsSpecialPackage(PackageType type) { return type == kSpecialAntivirus || type == kSpecialFirewall; }
