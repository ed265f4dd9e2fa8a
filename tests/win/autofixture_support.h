#pragma once
// Starting autofixture, the window the automation tests drive, and waiting
// for what it shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation_win.h"
#include "child_process_win.h"

namespace autofixture {

constexpr DWORD kWindowTimeoutMs = 10000;

inline automation::ChildProcess StartFixture(const std::vector<std::string>& arguments) {
  automation::ChildProcess child;
  EXPECT_TRUE(child.Start(automation::CommandLine(automation::ProgramFolder() + "autofixture.exe", arguments)));
  return child;
}

inline DWORD ExitCodeOf(automation::ChildProcess& child) {
  DWORD exitCode = 0;
  EXPECT_TRUE(child.Wait(kWindowTimeoutMs, exitCode)) << "the fixture did not end";
  return exitCode;
}

// Input is posted; the fixture shows its effect a moment later.
inline std::string ControlTextOnceItIs(HWND dialog, int controlId, const std::string& expected) {
  std::string text;
  for (int i = 0; i < 100; ++i) {
    if (automation::ReadControlText(dialog, controlId, text) && text == expected) break;
    Sleep(50);
  }
  return text;
}

}  // namespace autofixture
