#pragma once
// This build of the runner does not yet carry every step of a run. A step that
// is not built tells the user so and ends the program cleanly (static objects
// are destroyed, so index.txt is removed), before any installed file is
// touched. It never reports success.
[[noreturn]] void StopAtUnbuiltStep(const char* step);
