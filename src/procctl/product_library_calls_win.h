#pragma once
// Calling contracts of the product's IPC library (ZMTIPC.dll) and resident-
// service library (ZMTSvc.DLL): the exports the runner resolves, in the
// order it resolves them, and their function types. All are __stdcall.
#include <windows.h>

#include <cstdint>

namespace ipccalls {
constexpr int kExportCount = 14;
constexpr const char* kExportNames[kExportCount] = {
    "ZMTIPC_Init",          "ZMTIPC_UnInit",         "ZMTIPC_Lock",
    "ZMTIPC_Unlock",        "ZMTIPC_RegisterProcess", "ZMTIPC_UnregisterProcess",
    "ZMTIPC_GetHandleFromID", "ZMTIPC_GetFirstHandleFromID", "ZMTIPC_GetAllID",
    "ZMTIPC_GetProcessIdFromID", "ZMTIPC_SendCommand", "ZMTIPC_ReadData",
    "ZMTIPC_WriteData",     "ZMTIPC_GetIPCDataEntry"};
enum Index { kInit, kUnInit, kLock, kUnlock, kGetHandleFromId = 6, kGetProcessIdFromId = 9 };

using Init = int32_t(WINAPI*)(int32_t reserved);
using UnInit = int32_t(WINAPI*)(int32_t reserved);
using Lock = int32_t(WINAPI*)();
using Unlock = int32_t(WINAPI*)();
// Handles registered under the id, up to `capacity` of them; `count` gets
// how many are registered.
using GetHandleFromId = int32_t(WINAPI*)(int32_t componentId, uint32_t capacity, uint32_t* handles, uint32_t* count);
// Process ids registered under the id, up to `capacity`; `count` as above.
using GetProcessIdFromId = int32_t(WINAPI*)(int32_t componentId, uint32_t capacity, uint32_t* processIds,
                                            uint32_t* count);
}  // namespace ipccalls

namespace svccalls {
constexpr int kExportCount = 5;
constexpr const char* kExportNames[kExportCount] = {"Init", "UnInit", "SendNotify", "CheckClientExist",
                                                    "GetClientProcessID"};
enum Index { kInit, kUnInit, kSendNotify, kCheckClientExist, kGetClientProcessId };

using Notify = int32_t(WINAPI*)(uint32_t value);
// Connects the calling process to the resident service as a client of `kind`.
using Init = int32_t(WINAPI*)(int32_t kind, Notify callback);
using UnInit = int32_t(WINAPI*)();
using SendNotify = int32_t(WINAPI*)(int32_t kind, uint32_t value);
using CheckClientExist = int32_t(WINAPI*)(int32_t kind);
using GetClientProcessId = uint32_t(WINAPI*)(int32_t kind);
}  // namespace svccalls
