#pragma once
// One way of stopping a product component. A strategy is made per name to
// stop and kept in the run's StoppedProcessList until the program ends.
// Restart exists for symmetry with Stop; the update run never calls it.
#include <cstdint>

class ExitStrategy {
 public:
  virtual ~ExitStrategy() = default;
  // 1 the component ended (or the service stopped), 0 failed, -1 nothing to
  // stop. 0 at once when the strategy is not valid.
  virtual int Stop() = 0;
  // 1 when started again; only a stopped component is started.
  virtual int Restart() = 0;

  int32_t stopped = 0;  // set once Stop has returned 1

 protected:
  bool valid = true;
};
