#pragma once
// One file type and one product process of the catalogue.
#include <cstdint>
#include <string>

struct FileTypeEntry {
  std::string Description;  // Descript%d, up to 499 characters
  std::string TypeName;     // TypeName%d, up to 259 characters
  uint32_t TypeId = 0;      // one bit: 1 for the first type, 2 for the second, ...
};

// An entry of section ExitType: a component that must end before its files
// are replaced.
struct ProductProcess {
  std::string FileName;         // the name items write in CallBy
  std::string ReleaseFileName;  // file relative to the program folder; FileName when not given
  int32_t ExitType = 0;         // 0 stop command, 1 IPC component, 2 service, 3 resident-service client
  int32_t UID = 0;              // component id; only for exit types 1 and 3
  std::string StopParam;        // only for exit types 0, 1 and 3
  std::string StartParam;       // only for exit types 0, 1 and 3
};
