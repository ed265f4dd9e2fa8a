#pragma once
// The exit code of an unattended run, in the Windows Installer's terms, so
// that deployment tools read it as they read an installer's.
constexpr int kExitDone = 0;
constexpr int kExitRestartNeeded = 3010;  // done; the update completes at the next restart
constexpr int kExitRefused = 1602;        // a choice needed a person
constexpr int kExitFailed = 1603;
constexpr int kExitBadCommandLine = 1639;  // an argument /S runs cannot understand

// How far the run came before the update itself.
enum class Preparation { kReady, kFailed, kRefused };

// `packageIntact` false: the update found the package damaged and changed nothing.
int UnattendedExitCode(Preparation preparation, bool packageIntact, bool updateIncomplete, bool restartPending);
