// wauto: the automation helper for scripts. Run it in the same Wine prefix as
// the program it drives. Texts are ANSI (code page 936) bytes both ways.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "automation_win.h"
#include "child_process_win.h"
#include "controls_win.h"
#include "save_dialog_win.h"

namespace {

enum ExitCode { kDone = 0, kNoWindow = 1, kUsage = 2, kActionFailed = 3 };

constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr DWORD kPollMs = 50;

const char kUsageText[] =
    "usage: wauto COMMAND ARGS\n"
    "  wait CAPTION [MS]                        wait for the window; print its process id\n"
    "  text CAPTION ID [MS]                     print the text of control ID\n"
    "  set CAPTION ID TEXT [MS]                 replace the text of control ID (an edit box)\n"
    "  click CAPTION ID [MS]                    press button ID\n"
    "  key CAPTION ID KEY... [MS]               press each KEY in control ID: space, escape,\n"
    "                                           home, up or down\n"
    "  close CAPTION [MS]                       close the window as its close box does\n"
    "  rows CAPTION ID [MS]                     print the rows of list view ID, one a line:\n"
    "                                           image index, tab, text\n"
    "  clickrow CAPTION ID ROW [MS]             click row ROW (from 0) of list view ID\n"
    "  msgbox CAPTION ok|yes|no|cancel [MS]     print a message box's text, then answer it\n"
    "  save CAPTION PATH [MS]                   print the save-file dialog's proposed name,\n"
    "                                           save as PATH; done once the dialog has gone\n"
    "                                           or its program asks something\n"
    "  browser CAPTION [MS]                     print the folder browser's title, then cancel it\n"
    "  list                                     list visible top-level windows: pid, class, caption\n"
    "  run PROGRAM [ARG...]                     run PROGRAM, wait for its end, print its exit code\n"
    "CAPTION is matched exactly, or * for any caption. The window is the topmost\n"
    "with that caption that fits the command: a message box for msgbox, a save-file\n"
    "dialog for save, a folder browser for browser, any window for wait; for the\n"
    "others a window that takes input (no modal window over it) and is no message\n"
    "box, holding control ID where the command names one. MS is how long to wait\n"
    "for it (default 10000).\n"
    "Exit codes: 0 done, 1 no such window in time, 2 usage, 3 no such control, row\n"
    "or button, or the action failed (for run: PROGRAM did not start).\n";

const char kAnyCaption[] = "*";

int Usage() {
  std::fputs(kUsageText, stderr);
  return kUsage;
}

bool ParseNumber(const char* text, unsigned long& value) {
  char* end = nullptr;
  value = std::strtoul(text, &end, 0);
  return *text != '\0' && *end == '\0';
}

// A key's virtual-key code; 0 for a name not listed.
UINT KeyCode(const std::string& name) {
  static const struct {
    const char* name;
    UINT key;
  } kKeys[] = {{"space", VK_SPACE}, {"escape", VK_ESCAPE}, {"home", VK_HOME}, {"up", VK_UP}, {"down", VK_DOWN}};
  for (const auto& key : kKeys) {
    if (name == key.name) return key.key;
  }
  return 0;
}

void PrintLine(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

DWORD ProcessOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

int Wait(HWND window) {
  std::printf("%lu\n", ProcessOf(window));
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

int Keys(HWND window, int controlId, const std::vector<UINT>& keys) {
  HWND control = GetDlgItem(window, controlId);
  for (UINT key : keys) {
    if (control == nullptr || !automation::PressKey(control, key)) return kActionFailed;
  }
  return kDone;
}

int Close(HWND window) {
  // Posted, as a click on the close box: the window may ask first.
  return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? kDone : kActionFailed;
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
  if (!automation::ReadMessageBoxText(window, text)) return kActionFailed;
  PrintLine(text);
  if (!automation::AnswerMessageBox(window, answer)) return kActionFailed;
  return automation::WaitForWindowGone(window, timeoutMs) ? kDone : kActionFailed;
}

int SetText(HWND window, int controlId, const std::string& text) {
  return automation::SetControlText(window, controlId, text) ? kDone : kActionFailed;
}

int Rows(HWND window, int controlId) {
  HWND list = GetDlgItem(window, controlId);
  int count = list != nullptr ? automation::ListViewRowCount(list) : -1;
  if (count < 0) return kActionFailed;
  for (int row = 0; row < count; ++row) {
    std::string text;
    int image = 0;
    if (!automation::ReadListViewRow(list, row, text, image)) return kActionFailed;
    std::printf("%d\t", image);
    PrintLine(text);
  }
  return kDone;
}

int ClickRow(HWND window, int controlId, int row) {
  HWND list = GetDlgItem(window, controlId);
  return list != nullptr && automation::ClickListViewRow(list, row) ? kDone : kActionFailed;
}

// Whether a message box of `processId` is open: the save dialog's question
// before replacing a file, or its program's message about the file.
bool AsksSomething(DWORD processId) {
  for (HWND window : automation::ProcessWindows(processId)) {
    if (automation::IsMessageBox(window)) return true;
  }
  return false;
}

// The save-file dialog's proposed file name printed, PATH typed and saved;
// done once the dialog has gone or a question stands in the way. A dialog
// that has just opened may not answer yet (its program is still listing the
// folder), so reading the name and saving are retried until the time is up.
int Save(HWND dialog, const std::string& path, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  const auto timeLeft = [&] { return IsWindow(dialog) && GetTickCount() - start < timeoutMs; };
  std::string proposed;
  while (!automation::ReadSaveFileName(dialog, proposed)) {
    if (!timeLeft()) return kActionFailed;
    Sleep(kPollMs);
  }
  PrintLine(proposed);
  while (!automation::SaveAs(dialog, path)) {
    if (!timeLeft()) return kActionFailed;
    Sleep(kPollMs);
  }
  const DWORD processId = ProcessOf(dialog);
  for (; IsWindow(dialog); Sleep(kPollMs)) {
    if (AsksSomething(processId)) return kDone;
    if (GetTickCount() - start >= timeoutMs) return kActionFailed;
  }
  return kDone;
}

int Browser(HWND browser, DWORD timeoutMs) {
  std::string title;
  if (!automation::ReadFolderBrowserTitle(browser, title)) return kActionFailed;
  PrintLine(title);
  if (!automation::PressButton(browser, IDCANCEL)) return kActionFailed;
  return automation::WaitForWindowGone(browser, timeoutMs) ? kDone : kActionFailed;
}

int List() {
  for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
    if (!IsWindowVisible(window)) continue;
    std::string caption;
    automation::ReadWindowText(window, caption);
    std::printf("%lu\t%s\t", ProcessOf(window), automation::ClassOf(window).c_str());
    PrintLine(caption);
  }
  return kDone;
}

// The whole exit code goes to stdout: a process's own exit status, as the
// shell sees it, keeps only the low byte (3010 would read as 194).
int Run(int argc, char** argv) {
  automation::ChildProcess child;
  if (!child.Start(automation::CommandLine(argv[2], std::vector<std::string>(argv + 3, argv + argc)))) {
    std::fprintf(stderr, "wauto: cannot start %s (error %lu)\n", argv[2], GetLastError());
    return kActionFailed;
  }
  DWORD exitCode = 0;
  if (!child.Wait(INFINITE, exitCode)) return kActionFailed;
  std::printf("%lu\n", exitCode);
  return kDone;
}

// A command on a window found by its caption, with what follows the caption.
struct WindowCommand {
  std::string command;
  std::string caption;
  unsigned long controlId = 0;
  std::string operand;  // the row, text or path
  std::vector<UINT> keys;
  int answer = 0;
  unsigned long timeoutMs = kDefaultTimeoutMs;
};

bool TakesControlId(const std::string& command) {
  return command == "text" || command == "click" || command == "set" || command == "rows" ||
         command == "clickrow" || command == "key";
}

bool TakesOperand(const std::string& command) {
  return command == "set" || command == "clickrow" || command == "save";
}

// argv[2..]: CAPTION, then an id, an operand, keys or an answer as the
// command needs, then the optional wait. False on anything else.
bool ParseWindowCommand(int argc, char** argv, WindowCommand& request) {
  request.command = argv[1];
  request.caption = argv[2];
  const std::string& command = request.command;
  int next = 3;
  if (TakesControlId(command)) {
    if (argc <= next || !ParseNumber(argv[next], request.controlId)) return false;
    ++next;
  } else if (command != "wait" && command != "close" && command != "msgbox" && command != "save" &&
             command != "browser") {
    return false;
  }
  if (TakesOperand(command)) {
    if (argc <= next) return false;
    request.operand = argv[next++];
  } else if (command == "key") {
    while (argc > next && KeyCode(argv[next]) != 0) request.keys.push_back(KeyCode(argv[next++]));
    if (request.keys.empty()) return false;
  } else if (command == "msgbox") {
    if (argc <= next || (request.answer = AnswerId(argv[next])) == 0) return false;
    ++next;
  }
  if (argc > next && !ParseNumber(argv[next++], request.timeoutMs)) return false;
  return argc == next;
}

// Whether `window` is one the command acts on (the caption aside).
bool FitsCommand(const WindowCommand& request, HWND window) {
  const std::string& command = request.command;
  if (command == "wait") return true;
  if (command == "msgbox") return automation::IsMessageBox(window);
  if (command == "save") return automation::IsSaveDialog(window);
  if (command == "browser") return automation::IsFolderBrowser(window);
  if (!IsWindowEnabled(window) || automation::IsMessageBox(window)) return false;
  return !TakesControlId(command) || GetDlgItem(window, int(request.controlId)) != nullptr;
}

int RunWindowCommand(const WindowCommand& request) {
  unsigned long row = 0;
  if (request.command == "clickrow" && !ParseNumber(request.operand.c_str(), row)) return Usage();

  const bool anyCaption = request.caption == kAnyCaption;
  HWND window = automation::WaitForTopWindow(
      [&](HWND candidate) {
        return (anyCaption || automation::HasCaption(candidate, request.caption)) && FitsCommand(request, candidate);
      },
      request.timeoutMs);
  if (window == nullptr) {
    std::fprintf(stderr, "wauto: no window \"%s\" for %s within %lu ms\n", request.caption.c_str(),
                 request.command.c_str(), request.timeoutMs);
    return kNoWindow;
  }
  const std::string& command = request.command;
  int id = static_cast<int>(request.controlId);
  if (command == "wait") return Wait(window);
  if (command == "text") return Text(window, id);
  if (command == "set") return SetText(window, id, request.operand);
  if (command == "click") return Click(window, id);
  if (command == "key") return Keys(window, id, request.keys);
  if (command == "close") return Close(window);
  if (command == "rows") return Rows(window, id);
  if (command == "clickrow") return ClickRow(window, id, static_cast<int>(row));
  if (command == "save") return Save(window, request.operand, request.timeoutMs);
  if (command == "browser") return Browser(window, request.timeoutMs);
  return MessageBoxCommand(window, request.answer, request.timeoutMs);
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n alone, for scripts
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "list") return argc == 2 ? List() : Usage();
  if (command == "run") return argc >= 3 ? Run(argc, argv) : Usage();
  WindowCommand request;
  if (argc < 3 || !ParseWindowCommand(argc, argv, request)) return Usage();
  return RunWindowCommand(request);
}
