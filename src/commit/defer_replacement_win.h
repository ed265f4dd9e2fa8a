#pragma once
// Putting a staged file in place of a locked one at the next restart, by the
// means the running Windows family offers.
#include <cstdint>
#include <string>

struct UpdateRun;

// run.osFamily, worked out on first need and kept for the process (it stays
// unknown, and is asked again next time, when the system cannot tell).
int32_t EnsureOsFamily(UpdateRun& run);

// Registers that `staged` replaces `destination` (full paths) at the next
// restart: on NT by a delayed move, on 95/98/Me through Wininit.ini when the
// staged file name has at most 12 characters, else through the DOS-mode
// batch (95/98) or the copy program (Me). 1 when registered, else 0; a
// family that is neither NT nor 9x registers nothing and fails, so that the
// caller never reports a replacement that will not happen.
int DeferReplacement(UpdateRun& run, const std::string& destination, const std::string& staged);
