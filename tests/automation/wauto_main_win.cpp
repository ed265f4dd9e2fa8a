// wauto: the automation helper for scripts. Run it in the same Wine prefix as
// the program it drives. Texts are ANSI (code page 936) bytes both ways.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "automation_win.h"

namespace {

enum ExitCode { kDone = 0, kNoWindow = 1, kUsage = 2, kActionFailed = 3, kNotMessageBox = 4 };

constexpr DWORD kDefaultTimeoutMs = 10000;

const char kUsageText[] =
    "usage: wauto COMMAND ARGS\n"
    "  wait CAPTION [MS]                        wait for the window; print its process id\n"
    "  text CAPTION ID [MS]                     print the text of control ID\n"
    "  click CAPTION ID [MS]                    press button ID\n"
    "  msgbox CAPTION [ok|yes|no|cancel] [MS]   print a message box's text, then answer it\n"
    "  list [PID]                               list visible top-level windows: pid, class, caption\n"
    "CAPTION is matched exactly; MS is how long to wait for it (default 10000).\n"
    "Exit codes: 0 done, 1 no such window in time, 2 usage, 3 no such control or\n"
    "the action failed, 4 the window is not a message box.\n";

int Usage() {
  std::fputs(kUsageText, stderr);
  return kUsage;
}

bool ParseNumber(const char* text, unsigned long& value) {
  char* end = nullptr;
  value = std::strtoul(text, &end, 0);
  return *text != '\0' && *end == '\0';
}

void PrintLine(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

int Wait(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  std::printf("%lu\n", processId);
  return kDone;
}

int Text(HWND window, int controlId) {
  std::string text;
  if (!automation::ReadControlText(window, controlId, text)) return kActionFailed;
  PrintLine(text);
  return kDone;
}

int Click(HWND window, int buttonId) {
  return automation::PressButton(window, buttonId) ? kDone : kActionFailed;
}

int AnswerId(const char* answer) {
  if (std::strcmp(answer, "ok") == 0) return IDOK;
  if (std::strcmp(answer, "yes") == 0) return IDYES;
  if (std::strcmp(answer, "no") == 0) return IDNO;
  if (std::strcmp(answer, "cancel") == 0) return IDCANCEL;
  return 0;
}

int MessageBoxCommand(HWND window, int answer, DWORD timeoutMs) {
  std::string text;
  if (!automation::ReadMessageBoxText(window, text)) {
    return automation::IsMessageBox(window) ? kActionFailed : kNotMessageBox;
  }
  PrintLine(text);
  if (answer == 0) return kDone;
  if (!automation::AnswerMessageBox(window, answer)) return kActionFailed;
  return automation::WaitForWindowGone(window, timeoutMs) ? kDone : kActionFailed;
}

void PrintWindow(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char className[256] = "";
  GetClassNameA(window, className, sizeof className);
  std::string caption;
  automation::ReadWindowText(window, caption);
  std::printf("%lu\t%s\t", processId, className);
  PrintLine(caption);
}

int List(DWORD processId) {
  for (HWND window : automation::ProcessWindows(processId)) PrintWindow(window);
  return kDone;
}

int ListAll() {
  for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
    if (IsWindowVisible(window)) PrintWindow(window);
  }
  return kDone;
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n alone, for scripts
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "list") {
    unsigned long processId = 0;
    if (argc == 2) return ListAll();
    if (argc != 3 || !ParseNumber(argv[2], processId)) return Usage();
    return List(processId);
  }
  if (argc < 3) return Usage();
  const std::string caption = argv[2];

  // The remaining arguments: an id for text and click, an answer for msgbox,
  // then the optional wait in milliseconds.
  int next = 3;
  unsigned long controlId = 0;
  int answer = 0;
  if (command == "text" || command == "click") {
    if (argc <= next || !ParseNumber(argv[next], controlId)) return Usage();
    ++next;
  } else if (command == "msgbox") {
    if (argc > next && (answer = AnswerId(argv[next])) != 0) ++next;
  } else if (command != "wait") {
    return Usage();
  }
  unsigned long timeoutMs = kDefaultTimeoutMs;
  if (argc > next && !ParseNumber(argv[next++], timeoutMs)) return Usage();
  if (argc > next) return Usage();

  HWND window = automation::WaitForWindow(caption, timeoutMs);
  if (window == nullptr) {
    std::fprintf(stderr, "wauto: no window \"%s\" within %lu ms\n", caption.c_str(), timeoutMs);
    return kNoWindow;
  }
  if (command == "wait") return Wait(window);
  if (command == "text") return Text(window, static_cast<int>(controlId));
  if (command == "click") return Click(window, static_cast<int>(controlId));
  return MessageBoxCommand(window, answer, timeoutMs);
}
