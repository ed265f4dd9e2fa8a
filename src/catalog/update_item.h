#pragma once
// One file item of the catalogue that this machine needs, as the item step
// read it. Fields named after a catalogue key hold that key's value.
#include <cstdint>
#include <string>

// SourceState values.
constexpr int32_t kSourceDamaged = 2;  // the package copy is missing or has the wrong CRC-32
constexpr int32_t kSourceIntact = 3;

struct UpdateItem {
  std::string SectionName;
  std::string FileName;
  int32_t FileSize = 0;            // never 0 in a parsed item
  std::string Version;             // as written, up to 19 characters
  int32_t CheckVersionMethod = 0;
  int32_t SourceState = 0;
  int32_t Reboot = 0;
  int32_t SharedNeedReboot = 0;
  uint32_t TypeId = 0;             // 0 when FileType names none of the catalogue's types
  std::string RemotePath;          // "." is stored as empty
  std::string LocalPath;           // macros expanded; ends with a backslash
  std::string CRC;                 // decimal, as written
  std::string SourcePath;          // the package's copy of the file
  int32_t UpdateRelative = 0;      // the file belongs to the runner itself
  int32_t Belong = -1;             // component bits
  uint8_t Needed = 0;              // the update decision's answer
  std::string CallBy;              // process names, each followed by a comma
};
