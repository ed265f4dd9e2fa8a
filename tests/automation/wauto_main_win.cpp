// wauto: the automation helper for scripts. Run it in the same Wine prefix as
// the program it drives. Texts are ANSI (code page 936) bytes both ways.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "automation_win.h"
#include "controls_win.h"
#include "save_dialog_win.h"

namespace {

enum ExitCode { kDone = 0, kNoWindow = 1, kUsage = 2, kActionFailed = 3, kNotMessageBox = 4 };

constexpr DWORD kDefaultTimeoutMs = 10000;

const char kUsageText[] =
    "usage: wauto COMMAND ARGS\n"
    "  wait CAPTION [MS]                        wait for the window; print its process id\n"
    "  text CAPTION ID [MS]                     print the text of control ID\n"
    "  set CAPTION ID TEXT [MS]                 replace the text of control ID (an edit box)\n"
    "  click CAPTION ID [MS]                    press button ID\n"
    "  rows CAPTION ID [MS]                     print the rows of list view ID, one a line:\n"
    "                                           image index, tab, text\n"
    "  clickrow CAPTION ID ROW [MS]             click row ROW (from 0) of list view ID\n"
    "  msgbox CAPTION [ok|yes|no|cancel] [MS]   print a message box's text, then answer it\n"
    "  save CAPTION PATH [MS]                   wait for the save-file dialog of the window's\n"
    "                                           process; print its proposed name, save as PATH\n"
    "  list [PID]                               list visible top-level windows: pid, class, caption\n"
    "CAPTION is matched exactly; MS is how long to wait for it (default 10000).\n"
    "Exit codes: 0 done, 1 no such window in time, 2 usage, 3 no such control, row\n"
    "or button, or the action failed, 4 the window is not a message box.\n";

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

// The save-file dialog that `owner`'s process shows: its proposed file name
// printed, PATH typed and saved; done once the dialog has gone.
int Save(HWND owner, const std::string& path, DWORD timeoutMs) {
  DWORD processId = 0;
  GetWindowThreadProcessId(owner, &processId);
  HWND dialog = automation::WaitForSaveDialog(processId, owner, timeoutMs);
  if (dialog == nullptr) {
    std::fprintf(stderr, "wauto: no save dialog within %lu ms\n", static_cast<unsigned long>(timeoutMs));
    return kNoWindow;
  }
  std::string proposed;
  if (!automation::ReadSaveFileName(dialog, proposed)) return kActionFailed;
  PrintLine(proposed);
  if (!automation::SaveAs(dialog, path)) return kActionFailed;
  return automation::WaitForWindowGone(dialog, timeoutMs) ? kDone : kActionFailed;
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

// A command on a window found by its caption, with what follows the caption.
struct WindowCommand {
  std::string command;
  std::string caption;
  unsigned long controlId = 0;
  std::string operand;  // the row or text
  int answer = 0;
  unsigned long timeoutMs = kDefaultTimeoutMs;
};

bool TakesControlId(const std::string& command) {
  return command == "text" || command == "click" || command == "set" || command == "rows" ||
         command == "clickrow";
}

bool TakesOperand(const std::string& command) { return command == "set" || command == "clickrow"; }

// argv[2..]: CAPTION, then an id, an operand or an answer as the command
// needs, then the optional wait. False on anything else.
bool ParseWindowCommand(int argc, char** argv, WindowCommand& request) {
  request.command = argv[1];
  request.caption = argv[2];
  int next = 3;
  if (TakesControlId(request.command)) {
    if (argc <= next || !ParseNumber(argv[next], request.controlId)) return false;
    ++next;
    if (TakesOperand(request.command)) {
      if (argc <= next) return false;
      request.operand = argv[next++];
    }
  } else if (request.command == "save") {
    if (argc <= next) return false;
    request.operand = argv[next++];
  } else if (request.command == "msgbox") {
    if (argc > next && (request.answer = AnswerId(argv[next])) != 0) ++next;
  } else if (request.command != "wait") {
    return false;
  }
  if (argc > next && !ParseNumber(argv[next++], request.timeoutMs)) return false;
  return argc == next;
}

int RunWindowCommand(const WindowCommand& request) {
  unsigned long row = 0;
  if (request.command == "clickrow" && !ParseNumber(request.operand.c_str(), row)) return Usage();

  HWND window = automation::WaitForWindow(request.caption, request.timeoutMs);
  if (window == nullptr) {
    std::fprintf(stderr, "wauto: no window \"%s\" within %lu ms\n", request.caption.c_str(), request.timeoutMs);
    return kNoWindow;
  }
  const std::string& command = request.command;
  int id = static_cast<int>(request.controlId);
  if (command == "wait") return Wait(window);
  if (command == "text") return Text(window, id);
  if (command == "set") return SetText(window, id, request.operand);
  if (command == "click") return Click(window, id);
  if (command == "rows") return Rows(window, id);
  if (command == "clickrow") return ClickRow(window, id, static_cast<int>(row));
  if (command == "save") return Save(window, request.operand, request.timeoutMs);
  return MessageBoxCommand(window, request.answer, request.timeoutMs);
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
  WindowCommand request;
  if (argc < 3 || !ParseWindowCommand(argc, argv, request)) return Usage();
  return RunWindowCommand(request);
}
