#pragma once
// The rules of pkgtool harvest: the catalogue's package sections, and per
// file pattern the file type, the components that use the file and whether
// replacing it needs a restart.
#include <string>
#include <vector>

struct FileRule {
  std::string pattern;   // * and ? wildcards, any letter case; with a \ it matches the path below the program folder
  std::string FileType;  // empty: the default
  std::string CallBy;
  std::string Reboot;
};

struct HarvestRules {
  std::string packageSections;  // [COMMENT], [FileType], [ExitType] and [Install] as catalogue text, CR LF
  std::vector<FileRule> rules;  // the first that matches counts
};

// What harvest uses without a rules file: a General_DB package unpacked into
// ZMTUPD, with the runner's built-in file types and components.
HarvestRules DefaultHarvestRules();

// Reads a rules file (code page 936): its package sections as they stand and
// the [Harvest] keys Pattern<n>, FileType<n>, CallBy<n>, Reboot<n> for n = 0,
// 1, ... up to the first empty Pattern<n>. A rules file without [COMMENT]
// gets the default one. False, with a reason, when it cannot be read.
bool LoadHarvestRules(const std::string& path, HarvestRules& rules, std::string& error);

struct FileKind {
  std::string FileType;
  std::string CallBy;
  std::string Reboot;
};

// The first rule matching the file (`path` below the program folder, levels
// joined by backslashes) with its empty values defaulted: FileType SIGN for a virus
// database, else Program; Reboot FALSE; CallBy empty.
FileKind KindOf(const HarvestRules& rules, const std::string& path, bool isDatabase);

// Wildcard match without regard to ASCII case: * any run of bytes, ? one byte.
bool MatchesPattern(const std::string& pattern, const std::string& text);
