#pragma once
// A place where the product's running components can be found by component
// id: the product's IPC table or its resident service's client list. The
// stop strategies ask it whether a component runs and which process it is.
#include <cstdint>

class ComponentDirectory {
 public:
  virtual ~ComponentDirectory() = default;
  // 1 when a component runs under the id; 0 when not, or when the library
  // behind the directory could not be opened.
  virtual int IsRunning(int32_t componentId) = 0;
  // The process id of the component, 0 when none is known.
  virtual uint32_t ProcessIdOf(int32_t componentId) = 0;
};
