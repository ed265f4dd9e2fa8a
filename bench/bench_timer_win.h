#pragma once
// Wall-clock timing for the Windows benchmarks.
#include <windows.h>

inline double NowSeconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

// Best of `rounds` runs of each of two contenders, taken in turns so that
// both see the same machine load. Seconds.
template <typename A, typename B>
void BestOfAlternating(int rounds, A&& a, B&& b, double& bestA, double& bestB) {
  bestA = bestB = 1e30;
  for (int i = 0; i < rounds; ++i) {
    double start = NowSeconds();
    a();
    double t = NowSeconds() - start;
    if (t < bestA) bestA = t;
    start = NowSeconds();
    b();
    t = NowSeconds() - start;
    if (t < bestB) bestB = t;
  }
}
