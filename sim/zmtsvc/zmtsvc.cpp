// Stand-in for the product's resident-service library ZMTSvc.DLL. Each
// process that calls Init becomes a client of the resident service under a
// kind (the product's components use their component id) until it calls
// UnInit. The client list is shared between processes (a named file mapping
// guarded by a named mutex); a notification is left in the client's entry
// and signalled through a named event, on which a thread of the client
// waits to hand the value to the client's callback.
#include <windows.h>

#include <cstdint>
#include <string>
#include <type_traits>

#include "procctl/product_library_calls_win.h"

#define ZMTSVC_EXPORT extern "C" __declspec(dllexport)

namespace {

constexpr int kSlots = 64;
constexpr DWORD kLockWaitMs = 10000;

struct Client {
  uint32_t inUse;
  int32_t kind;
  uint32_t processId;
  uint32_t notification;
};
struct ClientList {
  Client clients[kSlots];
};

HANDLE g_mutex = nullptr;
HANDLE g_mapping = nullptr;
ClientList* g_list = nullptr;
int g_slot = -1;  // this process's entry while it is a client
svccalls::Notify g_callback = nullptr;
HANDLE g_notifyEvent = nullptr;
HANDLE g_stopEvent = nullptr;
HANDLE g_notifyThread = nullptr;

std::string NotifyEventName(uint32_t processId) { return "ZMTSvc.Notify." + std::to_string(processId); }

bool OpenList() {
  if (g_list != nullptr) return true;
  g_mutex = CreateMutexA(nullptr, FALSE, "ZMTSvc.Clients.Lock");
  g_mapping =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ClientList), "ZMTSvc.Clients");
  if (g_mapping != nullptr) g_list = static_cast<ClientList*>(MapViewOfFile(g_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  return g_mutex != nullptr && g_list != nullptr;
}

class ListLock {
 public:
  ListLock() {
    if (!OpenList()) return;
    const DWORD outcome = WaitForSingleObject(g_mutex, kLockWaitMs);
    held_ = outcome == WAIT_OBJECT_0 || outcome == WAIT_ABANDONED;
  }
  ~ListLock() {
    if (held_) ReleaseMutex(g_mutex);
  }
  explicit operator bool() const { return held_; }

 private:
  bool held_ = false;
};

Client* FirstOfKind(int32_t kind) {
  for (Client& client : g_list->clients) {
    if (client.inUse && client.kind == kind) return &client;
  }
  return nullptr;
}

DWORD WINAPI DeliverNotifications(void*) {
  HANDLE waits[2] = {g_stopEvent, g_notifyEvent};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    uint32_t value = 0;
    {
      ListLock lock;
      if (!lock || g_slot < 0) continue;
      value = g_list->clients[g_slot].notification;
    }
    g_callback(value);
  }
  return 0;
}

}  // namespace

// Connects the calling process as a client of `kind`. 0 when it is a client
// already or the list is full.
ZMTSVC_EXPORT int32_t WINAPI Init(int32_t kind, svccalls::Notify callback) {
  if (g_slot >= 0 || callback == nullptr) return 0;
  ListLock lock;
  if (!lock) return 0;
  for (int i = 0; i < kSlots; ++i) {
    if (g_list->clients[i].inUse) continue;
    g_notifyEvent = CreateEventA(nullptr, FALSE, FALSE, NotifyEventName(GetCurrentProcessId()).c_str());
    g_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_callback = callback;
    g_notifyThread = CreateThread(nullptr, 0, DeliverNotifications, nullptr, 0, nullptr);
    if (g_notifyThread == nullptr) {
      CloseHandle(g_notifyEvent);
      CloseHandle(g_stopEvent);
      return 0;
    }
    g_list->clients[i] = Client{1, kind, GetCurrentProcessId(), 0};
    g_slot = i;
    return 1;
  }
  return 0;
}

ZMTSVC_EXPORT int32_t WINAPI UnInit() {
  if (g_slot < 0) return 0;
  {
    ListLock lock;
    if (lock) g_list->clients[g_slot] = Client{};
    g_slot = -1;
  }
  SetEvent(g_stopEvent);
  WaitForSingleObject(g_notifyThread, INFINITE);
  CloseHandle(g_notifyThread);
  CloseHandle(g_notifyEvent);
  CloseHandle(g_stopEvent);
  g_notifyThread = g_notifyEvent = g_stopEvent = nullptr;
  return 1;
}

// Hands `value` to every client of `kind`; the number of clients reached.
ZMTSVC_EXPORT int32_t WINAPI SendNotify(int32_t kind, uint32_t value) {
  ListLock lock;
  if (!lock) return 0;
  int32_t reached = 0;
  for (Client& client : g_list->clients) {
    if (!client.inUse || client.kind != kind) continue;
    client.notification = value;
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, NotifyEventName(client.processId).c_str());
    if (event == nullptr) continue;
    SetEvent(event);
    CloseHandle(event);
    ++reached;
  }
  return reached;
}

ZMTSVC_EXPORT int32_t WINAPI CheckClientExist(int32_t kind) {
  ListLock lock;
  return lock && FirstOfKind(kind) != nullptr ? 1 : 0;
}

ZMTSVC_EXPORT uint32_t WINAPI GetClientProcessID(int32_t kind) {
  ListLock lock;
  if (!lock) return 0;
  const Client* client = FirstOfKind(kind);
  return client != nullptr ? client->processId : 0;
}

static_assert(std::is_same_v<decltype(&Init), svccalls::Init>);
static_assert(std::is_same_v<decltype(&UnInit), svccalls::UnInit>);
static_assert(std::is_same_v<decltype(&SendNotify), svccalls::SendNotify>);
static_assert(std::is_same_v<decltype(&CheckClientExist), svccalls::CheckClientExist>);
static_assert(std::is_same_v<decltype(&GetClientProcessID), svccalls::GetClientProcessId>);
