// Archive extraction against plain copying, under Wine: our extraction code
// path (ExtractPackageArchive, as the runner calls it) on a ZMTUPD.DAT built
// by pkgtool, and CopyFileA of the same files, each into a fresh folder, in
// turns, best of three. Prints both throughputs and the ratio.
//
// With --once: one extraction, then one copy of the same files that flushes
// each file before closing it, as the runner's commit does: the baseline of
// the whole-run benchmark, whose script takes the rounds in turns with the
// runner. Prints the line "seconds: extract X copy Y" that run-benchmarks.sh
// reads.
//
//   extract_bench [--once] ARCHIVE FILES_DIR WORK_DIR
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_timer_win.h"
#include "package/archive.h"

namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

// Names of the plain files of a folder (not of its sub-folders).
std::vector<std::string> FileNames(const std::string& folder, unsigned long long& bytes) {
  std::vector<std::string> names;
  bytes = 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    names.push_back(found.cFileName);
    bytes += (unsigned long long)found.nFileSizeHigh << 32 | found.nFileSizeLow;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// A plain copy: one read and one write of `chunk` bytes at a time; with
// `flush`, the copy is flushed to the disk before it is closed.
bool CopyByChunks(const std::string& from, const std::string& to, std::vector<char>& buffer, bool flush = false) {
  HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return false;
  HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = out != INVALID_HANDLE_VALUE;
  DWORD got = 0, put = 0;
  while (ok && ReadFile(in, buffer.data(), DWORD(buffer.size()), &got, nullptr) && got > 0)
    ok = WriteFile(out, buffer.data(), got, &put, nullptr) && put == got;
  if (ok && flush) ok = FlushFileBuffers(out) != 0;
  CloseHandle(in);
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  return ok;
}

void EmptyFolder(const std::string& folder) {
  unsigned long long ignored = 0;
  for (const std::string& name : FileNames(folder, ignored)) DeleteFileA((folder + name).c_str());
  CreateDirectoryA(folder.c_str(), nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  const bool once = argc == 5 && std::string(argv[1]) == "--once";
  if (argc != 4 && !once) {
    std::fprintf(stderr, "usage: extract_bench [--once] ARCHIVE FILES_DIR WORK_DIR\n");
    return 2;
  }
  if (once) ++argv;
  const std::string archive = argv[1];
  const std::string files = WithSlash(argv[2]);
  const std::string work = WithSlash(argv[3]);
  const std::string extracted = work + "extracted\\";
  const std::string copied = work + "copied\\";
  CreateDirectoryA(work.c_str(), nullptr);

  unsigned long long bytes = 0;
  const std::vector<std::string> names = FileNames(files, bytes);
  if (names.empty()) {
    std::fprintf(stderr, "extract_bench: no files in %s\n", files.c_str());
    return 1;
  }
  bool ok = true;
  const auto timed = [](auto&& work) {
    const double start = NowSeconds();
    work();
    return NowSeconds() - start;
  };
  const auto copyAll = [&](const auto& copyOne) {
    for (const std::string& name : names) ok = ok && copyOne(files + name, copied + name);
  };
  double extract = 1e30, copy = 1e30, flushed = 1e30, chunked[2] = {1e30, 1e30};
  const size_t chunkSizes[2] = {64 * 1024, 1024 * 1024};
  for (int round = 0; round < (once ? 1 : 3); ++round) {
    EmptyFolder(extracted);
    EmptyFolder(copied);
    extract = std::min(extract, timed([&] { ok = ok && ExtractPackageArchive(archive, extracted) != 0; }));
    if (once) {
      std::vector<char> buffer(64 * 1024);
      flushed = timed([&] {
        copyAll([&](const std::string& from, const std::string& to) { return CopyByChunks(from, to, buffer, true); });
      });
      continue;
    }
    copy = std::min(copy, timed([&] {
      copyAll([](const std::string& from, const std::string& to) {
        return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
      });
    }));
    for (int k = 0; k < 2; ++k) {
      EmptyFolder(copied);
      std::vector<char> buffer(chunkSizes[k]);
      chunked[k] = std::min(chunked[k], timed([&] {
        copyAll([&](const std::string& from, const std::string& to) { return CopyByChunks(from, to, buffer); });
      }));
    }
  }
  EmptyFolder(extracted);
  EmptyFolder(copied);
  if (!ok) {
    std::fprintf(stderr, "extract_bench: extraction or copy failed\n");
    return 1;
  }
  if (once) {
    std::printf("seconds: extract %.3f copy %.3f\n", extract, flushed);
    return 0;
  }
  std::printf("%zu files, %.1f MiB\n", names.size(), double(bytes) / 1048576.0);
  std::printf("extraction %8.1f MB/s   CopyFileA %8.1f MB/s   ratio %.2f\n", double(bytes) / extract / 1e6,
              double(bytes) / copy / 1e6, copy / extract);
  for (int k = 0; k < 2; ++k)
    std::printf("for comparison: ReadFile/WriteFile copy in %4zu KiB pieces %8.1f MB/s\n", chunkSizes[k] / 1024,
                double(bytes) / chunked[k] / 1e6);
  return 0;
}
