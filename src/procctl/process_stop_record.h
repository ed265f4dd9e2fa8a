#pragma once
// What is known of a product component to stop, taken from its entry in the
// catalogue's process list when the component is looked up.
#include <cstdint>
#include <string>

struct ProcessStopRecord {
  std::string programPath;  // program folder + the entry's release file name
  int32_t componentId = 0;  // the entry's UID
  std::string stopParam;
  std::string startParam;
};
