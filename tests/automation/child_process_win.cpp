#include "child_process_win.h"

#include <utility>

namespace automation {
namespace {

constexpr DWORD kTerminateWaitMs = 5000;
constexpr int kStartAttempts = 3;
constexpr DWORD kStartRetryMs = 250;

// The C runtime's rules: backslashes are literal unless they precede a quote,
// so those before a quote (and before the closing quote) are doubled.
void AppendQuoted(std::string& line, const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
    line += argument;
    return;
  }
  line += '"';
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, '\\');
  line += '"';
}

}  // namespace

std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line;
  AppendQuoted(line, program);
  for (const std::string& argument : arguments) {
    line += ' ';
    AppendQuoted(line, argument);
  }
  return line;
}

ChildProcess::~ChildProcess() { Terminate(); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Terminate();
    process_ = std::exchange(other.process_, nullptr);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& workingFolder) {
  Terminate();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Wine fails a start with ERROR_INTERNAL_ERROR when the new process ends
  // before its loader is done, as it now and then does on a loaded machine;
  // a later start of the same program works.
  for (int attempt = 1;; ++attempt) {
    std::string line = commandLine;  // CreateProcessA may write into it
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
      break;
    }
    if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == kStartAttempts) return false;
    Sleep(kStartRetryMs);
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  return true;
}

bool ChildProcess::Wait(DWORD timeoutMs, DWORD& exitCode) {
  if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(process_, &exitCode) != FALSE;
}

void ChildProcess::Terminate() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kTerminateWaitMs);
  }
  CloseHandle(process_);
  process_ = nullptr;
  id_ = 0;
}

}  // namespace automation
