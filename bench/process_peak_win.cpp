// Runs a program and reports its wall time and peak working set
// (PeakWorkingSetSize, sampled every 10 ms while it runs, since the counters
// of an ended process cannot be read under Wine), for the whole-run
// benchmark. With --idle it is itself the trivial process whose peak is
// Wine's baseline.
//
//   process_peak --idle
//   process_peak PROGRAM [ARGS...]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bench_timer_win.h"

namespace {

SIZE_T PeakOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

// The command line after this program's own name, as it was given.
const char* ArgumentsAfterProgram() {
  const char* p = GetCommandLineA();
  const bool quoted = *p == '"';
  for (++p; *p && (quoted ? *p != '"' : *p != ' '); ++p) {
  }
  if (quoted && *p) ++p;
  while (*p == ' ') ++p;
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: process_peak --idle | PROGRAM [ARGS...]\n");
    return 2;
  }
  if (std::strcmp(argv[1], "--idle") == 0) {
    Sleep(300);
    return 0;
  }
  std::string command = ArgumentsAfterProgram();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = NowSeconds();
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "process_peak: cannot start %s\n", command.c_str());
    return 1;
  }
  SIZE_T peak = 0;
  while (WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT) {
    const SIZE_T now = PeakOf(process.hProcess);
    if (now > peak) peak = now;
  }
  const double seconds = NowSeconds() - start;
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::printf("seconds %.3f peak_bytes %lu exit %lu\n", seconds, (unsigned long)peak, (unsigned long)exitCode);
  return 0;
}
