#pragma once
// One run of runner_probe, which runs a single step of the runner with its
// texts and dialogs: the test drives the step's windows, then reads the
// lines the step wrote.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "automation_win.h"
#include "child_process_win.h"
#include "win_test_support.h"

namespace testsupport {

constexpr DWORD kTimeoutMs = 15000;

class Probe {
 public:
  explicit Probe(const std::vector<std::string>& arguments) {
    std::vector<std::string> all = arguments;
    all.push_back(out_);
    DeleteFileA(out_.c_str());
    EXPECT_TRUE(process_.Start(automation::CommandLine(testsupport::ProgramFolder() + "runner_probe.exe", all)));
  }

  DWORD Id() const { return process_.Id(); }

  // Waits for the end of the step; its lines, or none when it hangs.
  std::vector<std::string> Result() {
    DWORD exitCode = 0;
    EXPECT_TRUE(process_.Wait(kTimeoutMs, exitCode)) << "the step did not end";
    std::ifstream in(out_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  // A window of the step captioned `caption`: its message box or its dialog.
  HWND Wait(const std::string& caption, bool messageBox) {
    DWORD start = GetTickCount();
    do {
      for (HWND window : automation::ProcessWindows(Id())) {
        std::string text;
        if (automation::IsMessageBox(window) == messageBox && automation::ReadWindowText(window, text) &&
            text == caption)
          return window;
      }
      Sleep(50);
    } while (GetTickCount() - start < kTimeoutMs);
    ADD_FAILURE() << (messageBox ? "no message box " : "no dialog ") << caption;
    return nullptr;
  }

  // Reads the text of the step's message box and answers it.
  std::string Answer(const std::string& caption, int button) {
    HWND box = Wait(caption, true);
    std::string text;
    if (box == nullptr) return text;
    automation::ReadMessageBoxText(box, text);
    EXPECT_TRUE(automation::AnswerMessageBox(box, button));
    EXPECT_TRUE(automation::WaitForWindowGone(box, kTimeoutMs));
    return text;
  }

 private:
  std::string out_ = MakeScratchFolder("probe") + "result.txt";
  automation::ChildProcess process_;
};

}  // namespace testsupport
