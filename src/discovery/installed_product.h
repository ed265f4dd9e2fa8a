#pragma once
// One installation of the antivirus or the firewall that the registry knows,
// and the names and files by which it is recognised.
#include <cstdint>
#include <functional>
#include <string>

enum ProductKind : int32_t { kAntivirus = 0, kFirewall = 1 };

struct InstalledProduct {
  int32_t productKind = kAntivirus;
  std::string regKey;      // under the local machine
  std::string programDir;  // ends with a backslash; empty without "ProgramPath"
  std::string caption;     // antivirus main-window caption, at most kCaptionLimit
  int32_t versionIndex = 0;  // registry version number minus 1
  int32_t usable = 0;        // the program folder holds the marker file
};

// Registry versions V1.0 .. V10.0 are looked at.
constexpr int kFirstScannedVersion = 1;
constexpr int kLastScannedVersion = 10;
constexpr size_t kCaptionLimit = 500;

// "SOFTWARE\Norvance\AntiVirus\V<version>.0" or "...\ZmtPFW\V<version>.0".
std::string InstallationKey(ProductKind kind, int version);

// The file whose presence in the program folder makes an installation usable.
const char* MarkerFileName(ProductKind kind, int version);

// The caption cut to its first kCaptionLimit bytes, never in the middle of a
// double-byte character.
std::string CutCaption(const std::string& caption);

// The string-table text that names an installation without a caption.
unsigned DisplayNameMessageId(ProductKind kind, int32_t versionIndex);

// The name an installation is listed under: its caption, or the text of
// DisplayNameMessageId (numbered with the registry version where the text
// asks for it). `text` loads a string-table text.
std::string DisplayName(const InstalledProduct& product, const std::function<std::string(unsigned)>& text);
