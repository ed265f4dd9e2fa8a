#pragma once
#include <cstdint>

// Waits up to 5000 ms for the process to end. 1 when it ended or no longer
// exists (OpenProcess fails with ERROR_INVALID_PARAMETER, as for id 0);
// 0 when it still runs or cannot be opened for another reason.
int WaitForProcessExit(uint32_t processId);
