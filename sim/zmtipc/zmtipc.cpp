// Stand-in for the product's IPC library ZMTIPC.dll. Running components
// register under a component id in one table shared by every process that
// loads the library: a named file mapping guarded by a named mutex. Every
// table operation takes the mutex (it is recursive for its owner), and
// ZMTIPC_Lock / ZMTIPC_Unlock let a caller hold it across several calls.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "procctl/product_library_calls_win.h"

#define ZMTIPC_EXPORT extern "C" __declspec(dllexport)

namespace {

constexpr int kSlots = 64;
constexpr uint32_t kDataBytes = 256;
constexpr DWORD kLockWaitMs = 10000;

struct Entry {
  uint32_t inUse;
  int32_t componentId;
  uint32_t processId;
  uint32_t handle;
  uint32_t command;
  uint32_t dataSize;
  uint8_t data[kDataBytes];
};
struct Table {
  Entry entries[kSlots];
};

HANDLE g_mutex = nullptr;
HANDLE g_mapping = nullptr;
Table* g_table = nullptr;
int g_initCount = 0;

bool TakeMutex() {
  if (g_mutex == nullptr) return false;
  const DWORD outcome = WaitForSingleObject(g_mutex, kLockWaitMs);
  return outcome == WAIT_OBJECT_0 || outcome == WAIT_ABANDONED;
}

// Holds the table's mutex for one operation.
class TableLock {
 public:
  TableLock() : held_(g_table != nullptr && TakeMutex()) {}
  ~TableLock() {
    if (held_) ReleaseMutex(g_mutex);
  }
  explicit operator bool() const { return held_; }

 private:
  bool held_;
};

// Calls `visit` for every used entry under the id, in slot order.
template <typename Visit>
void ForEachOf(int32_t componentId, Visit visit) {
  for (Entry& entry : g_table->entries) {
    if (entry.inUse && entry.componentId == componentId) visit(entry);
  }
}

}  // namespace

ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_Init(int32_t) {
  if (g_initCount > 0) {
    ++g_initCount;
    return 1;
  }
  g_mutex = CreateMutexA(nullptr, FALSE, "ZMTIPC.Table.Lock");
  g_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Table), "ZMTIPC.Table");
  if (g_mapping != nullptr) g_table = static_cast<Table*>(MapViewOfFile(g_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (g_mutex == nullptr || g_table == nullptr) {
    if (g_mapping != nullptr) CloseHandle(g_mapping);
    if (g_mutex != nullptr) CloseHandle(g_mutex);
    g_mapping = g_mutex = nullptr;
    return 0;
  }
  g_initCount = 1;
  return 1;
}

ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_UnInit(int32_t) {
  if (g_initCount <= 0) return 0;
  if (--g_initCount == 0) {
    UnmapViewOfFile(g_table);
    CloseHandle(g_mapping);
    CloseHandle(g_mutex);
    g_table = nullptr;
    g_mapping = g_mutex = nullptr;
  }
  return 1;
}

ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_Lock() { return g_table != nullptr && TakeMutex() ? 1 : 0; }

ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_Unlock() { return g_mutex != nullptr && ReleaseMutex(g_mutex) ? 1 : 0; }

// Registers the calling process under the id with a handle of its choice
// (say its main window). 0 when the table is full.
ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_RegisterProcess(int32_t componentId, uint32_t handle) {
  TableLock lock;
  if (!lock) return 0;
  for (Entry& entry : g_table->entries) {
    if (entry.inUse) continue;
    entry = Entry{1, componentId, GetCurrentProcessId(), handle, 0, 0, {}};
    return 1;
  }
  return 0;
}

// Removes the calling process's entries under the id (only the one with
// `handle` unless it is 0). The number removed.
ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_UnregisterProcess(int32_t componentId, uint32_t handle) {
  TableLock lock;
  if (!lock) return 0;
  int32_t removed = 0;
  ForEachOf(componentId, [&](Entry& entry) {
    if (entry.processId != GetCurrentProcessId() || (handle != 0 && entry.handle != handle)) return;
    entry = Entry{};
    ++removed;
  });
  return removed;
}

ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_GetHandleFromID(int32_t componentId, uint32_t capacity, uint32_t* handles,
                                                    uint32_t* count) {
  TableLock lock;
  if (!lock || count == nullptr) return 0;
  *count = 0;
  ForEachOf(componentId, [&](Entry& entry) {
    if (handles != nullptr && *count < capacity) handles[*count] = entry.handle;
    ++*count;
  });
  return 1;
}

ZMTIPC_EXPORT uint32_t WINAPI ZMTIPC_GetFirstHandleFromID(int32_t componentId) {
  uint32_t handle = 0;
  uint32_t count = 0;
  return ZMTIPC_GetHandleFromID(componentId, 1, &handle, &count) ? handle : 0;
}

// The distinct ids registered, up to `capacity`; `count` gets how many there are.
ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_GetAllID(uint32_t capacity, int32_t* ids, uint32_t* count) {
  TableLock lock;
  if (!lock || count == nullptr) return 0;
  *count = 0;
  for (int i = 0; i < kSlots; ++i) {
    const Entry& entry = g_table->entries[i];
    bool seen = !entry.inUse;
    for (int j = 0; j < i && !seen; ++j) {
      seen = g_table->entries[j].inUse && g_table->entries[j].componentId == entry.componentId;
    }
    if (seen) continue;
    if (ids != nullptr && *count < capacity) ids[*count] = entry.componentId;
    ++*count;
  }
  return 1;
}

ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_GetProcessIdFromID(int32_t componentId, uint32_t capacity, uint32_t* processIds,
                                                       uint32_t* count) {
  TableLock lock;
  if (!lock || count == nullptr) return 0;
  *count = 0;
  ForEachOf(componentId, [&](Entry& entry) {
    if (processIds != nullptr && *count < capacity) processIds[*count] = entry.processId;
    ++*count;
  });
  return 1;
}

// Leaves a command for every component under the id; the number reached.
ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_SendCommand(int32_t componentId, uint32_t command) {
  TableLock lock;
  if (!lock) return 0;
  int32_t reached = 0;
  ForEachOf(componentId, [&](Entry& entry) {
    entry.command = command;
    ++reached;
  });
  return reached;
}

// Copies the data block of the first component under the id.
ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_ReadData(int32_t componentId, void* buffer, uint32_t capacity, uint32_t* size) {
  TableLock lock;
  if (!lock || size == nullptr) return 0;
  for (const Entry& entry : g_table->entries) {
    if (!entry.inUse || entry.componentId != componentId) continue;
    if (entry.dataSize > capacity || (buffer == nullptr && entry.dataSize > 0)) return 0;
    std::memcpy(buffer, entry.data, entry.dataSize);
    *size = entry.dataSize;
    return 1;
  }
  return 0;
}

// Sets the data block of every component under the id; at most 256 bytes.
ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_WriteData(int32_t componentId, const void* data, uint32_t size) {
  TableLock lock;
  if (!lock || size > kDataBytes || (data == nullptr && size > 0)) return 0;
  int32_t written = 0;
  ForEachOf(componentId, [&](Entry& entry) {
    std::memcpy(entry.data, data, size);
    entry.dataSize = size;
    ++written;
  });
  return written;
}

// Slot number plus one of the first entry under the id; 0 when none. Left
// out of the build that stands for an incomplete library.
#ifndef ZMTIPC_OMIT_DATA_ENTRY
ZMTIPC_EXPORT int32_t WINAPI ZMTIPC_GetIPCDataEntry(int32_t componentId) {
  TableLock lock;
  if (!lock) return 0;
  for (int i = 0; i < kSlots; ++i) {
    if (g_table->entries[i].inUse && g_table->entries[i].componentId == componentId) return i + 1;
  }
  return 0;
}
#endif

// The runner's view of the exports it calls must match these definitions.
static_assert(std::is_same_v<decltype(&ZMTIPC_Init), ipccalls::Init>);
static_assert(std::is_same_v<decltype(&ZMTIPC_UnInit), ipccalls::UnInit>);
static_assert(std::is_same_v<decltype(&ZMTIPC_Lock), ipccalls::Lock>);
static_assert(std::is_same_v<decltype(&ZMTIPC_Unlock), ipccalls::Unlock>);
static_assert(std::is_same_v<decltype(&ZMTIPC_GetHandleFromID), ipccalls::GetHandleFromId>);
static_assert(std::is_same_v<decltype(&ZMTIPC_GetProcessIdFromID), ipccalls::GetProcessIdFromId>);
