#include "procctl/ipc_client_win.h"

#include <windows.h>

#include "paths/path_ops.h"
#include "platform/library_win.h"
#include "procctl/product_library_calls_win.h"

namespace {

// Shared by every IpcClient of the process. Plain data without destructor,
// so that it outlives the static run state that closes the last client.
struct IpcLibrary {
  int32_t references;
  HMODULE module;
  FARPROC entries[ipccalls::kExportCount];
};
IpcLibrary g_ipc;

void ClearEntries() {
  for (FARPROC& entry : g_ipc.entries) entry = nullptr;
}

// A further reference does not look at the path: the library is loaded already.
bool TakeLibrary(const std::string& path) {
  if (g_ipc.references > 0) {
    ++g_ipc.references;
    return true;
  }
  Library library(path);
  if (!library.IsLoaded()) return false;
  for (int i = 0; i < ipccalls::kExportCount; ++i) {
    g_ipc.entries[i] = library.Symbol(ipccalls::kExportNames[i]);
    if (g_ipc.entries[i] == nullptr) {
      ClearEntries();
      return false;  // `library` frees the module
    }
  }
  g_ipc.module = library.Release();
  ++g_ipc.references;
  return true;
}

void ReleaseLibrary() {
  if (g_ipc.references <= 0) return;
  if (g_ipc.references == 1) {
    ClearEntries();
    FreeLibrary(g_ipc.module);
    g_ipc.module = nullptr;
  }
  --g_ipc.references;
}

template <typename Call>
Call Entry(int index) {
  return reinterpret_cast<Call>(reinterpret_cast<void*>(g_ipc.entries[index]));
}

}  // namespace

IpcClient::IpcClient(const std::string& ownFolder) : folder(ownFolder) { Open(); }

IpcClient::~IpcClient() { Close(); }

int IpcClient::Open() {
  const std::string path = folder + "ZMTIPC.dll";
  if (!FitsPathLimit(path) || !TakeLibrary(path)) return 0;
  loaded = 1;
  if (Entry<ipccalls::Init>(ipccalls::kInit)(0) == 0) {
    Close();
    return 0;
  }
  initialised = 1;
  return 1;
}

void IpcClient::Close() {
  if (initialised) {
    Entry<ipccalls::UnInit>(ipccalls::kUnInit)(0);
    initialised = 0;
  }
  if (loaded) {
    ReleaseLibrary();
    loaded = 0;
  }
}

int IpcClient::IsRunning(int32_t componentId) {
  if (!initialised) return 0;
  if (Entry<ipccalls::Lock>(ipccalls::kLock)() == 0) return 0;
  uint32_t count = 0;
  const int32_t found =
      Entry<ipccalls::GetHandleFromId>(ipccalls::kGetHandleFromId)(componentId, 256, handles, &count);
  Entry<ipccalls::Unlock>(ipccalls::kUnlock)();
  return found != 0 && count != 0 ? 1 : 0;
}

uint32_t IpcClient::ProcessIdOf(int32_t componentId) {
  if (!initialised) return 0;
  uint32_t processId = 0;
  uint32_t second = 0;
  Entry<ipccalls::GetProcessIdFromId>(ipccalls::kGetProcessIdFromId)(componentId, 1, &processId, &second);
  return processId;
}
