#include "procctl/service_control_win.h"

#include "platform/service_manager_win.h"

namespace {

bool QueryProgress(const ServiceHandle& service, ServiceProgress& progress) {
  SERVICE_STATUS status{};
  if (!service.QueryStatus(status)) return false;
  progress.currentState = status.dwCurrentState;
  progress.checkPoint = status.dwCheckPoint;
  progress.waitHint = status.dwWaitHint;
  return true;
}

uint32_t WaitOut(const ServiceHandle& service, uint32_t pendingState, const ServiceProgress& first,
                 const ServiceWaitClock& clock) {
  return WaitWhilePending(pendingState, first, [&service](ServiceProgress& p) { return QueryProgress(service, p); },
                          clock);
}

}  // namespace

ServiceWaitClock SystemServiceClock() {
  return {[] { return uint32_t(GetTickCount()); }, [](uint32_t ms) { Sleep(ms); }};
}

int StopServiceByName(const std::string& name, const ServiceWaitClock& clock) {
  ServiceHandle manager = OpenLocalServiceManager();
  if (!manager.IsOpen()) return -1;
  ServiceHandle service = OpenServiceByName(manager, name);
  if (!service.IsOpen()) return -1;
  SERVICE_STATUS answer{};
  if (!service.Control(SERVICE_CONTROL_STOP, answer)) return 0;
  ServiceProgress progress;
  if (!QueryProgress(service, progress)) return 0;
  return WaitOut(service, SERVICE_STOP_PENDING, progress, clock) == SERVICE_STOPPED ? 1 : 0;
}

int StartServiceByName(const std::string& name, const ServiceWaitClock& clock) {
  ServiceHandle manager = OpenLocalServiceManager();
  if (!manager.IsOpen()) return 0;
  ServiceHandle service = OpenServiceByName(manager, name);
  if (!service.IsOpen()) return 0;
  if (!service.Start()) return 0;
  ServiceProgress progress;
  if (!QueryProgress(service, progress)) return 0;
  return WaitOut(service, SERVICE_START_PENDING, progress, clock) == SERVICE_RUNNING ? 1 : 0;
}
