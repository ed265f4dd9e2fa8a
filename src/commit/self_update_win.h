#pragma once
// The self-update hand-off on the running system (see
// commit/self_update_handoff.h).
#include "commit/self_update_handoff.h"

class UpdateLog;

// Writes the hand-off with the carried self-update program and logs message
// 8, or message 9 when it cannot be written. 1 after writing the hand-off,
// -1 when it could not be written, 0 without doing anything when
// selfUpdateFirst is clear.
int SelfUpdateHandOff(const SelfUpdateRequest& request, UpdateLog& log);
