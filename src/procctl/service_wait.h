#pragma once
// The wait of a service stop or start: poll the service's status while it
// stays in a pending state, pausing a tenth of its wait hint (1 to 10 s)
// between polls. The wait goes on while the service advances its check
// point and gives up once the check point has stood still for longer than
// the service's current wait hint.
#include <cstdint>
#include <functional>

// The fields of a service status that the wait reads.
struct ServiceProgress {
  uint32_t currentState = 0;
  uint32_t checkPoint = 0;
  uint32_t waitHint = 0;
};

enum : uint32_t {
  kServiceStopped = 1,
  kServiceStartPending = 2,
  kServiceStopPending = 3,
  kServiceRunning = 4,
};

// Time source and pause of the wait: the tick count and Sleep on Windows;
// tests record the pauses asked for.
struct ServiceWaitClock {
  std::function<uint32_t()> now;
  std::function<void(uint32_t milliseconds)> pause;
};

// The pause between two polls for a wait hint, in milliseconds.
uint32_t PollPause(uint32_t waitHint);

// Polls while the state is `pendingState`, starting from the status the
// request returned. `query` reads the status again; when it fails the wait
// ends. Returns the last state known.
uint32_t WaitWhilePending(uint32_t pendingState, ServiceProgress status,
                          const std::function<bool(ServiceProgress&)>& query, const ServiceWaitClock& clock);
