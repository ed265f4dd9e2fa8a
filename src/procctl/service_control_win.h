#pragma once
// Stopping and starting a Windows service and waiting for it, paced by the
// service's wait hint (see service_wait.h). Neither ever forces a service.
#include <string>

#include "procctl/service_wait.h"

// The tick count and Sleep.
ServiceWaitClock SystemServiceClock();

// 1 the service is stopped; 0 the stop request or a status query failed, or
// it did not reach the stopped state in time (an already stopped service
// refuses the request: 0); -1 the manager or the service cannot be opened.
int StopServiceByName(const std::string& name, const ServiceWaitClock& clock = SystemServiceClock());

// 1 the service runs at the end; 0 otherwise, also when it cannot be opened
// or was already running (the start request then fails).
int StartServiceByName(const std::string& name, const ServiceWaitClock& clock = SystemServiceClock());
