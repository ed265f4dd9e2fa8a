#pragma once
// A folder of its own for each test, <temp>/<prefix>_<pid>_<test name>: empty
// when the test starts, removed when it ends. With the whole-file helpers and
// the pkgtool verb runner the tests of the tools share.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "verbs.h"

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix)
      : path_(std::filesystem::temp_directory_path() /
              (prefix + "_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes the file, making its folders first.
inline void WriteBytes(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

// A pkgtool verb's exit status and what it printed.
struct VerbOutcome {
  int status;
  std::string out;
  std::string err;
};

inline VerbOutcome RunVerb(int (*verb)(const VerbArgs&, std::ostream&, std::ostream&), const VerbArgs& args) {
  std::ostringstream out, err;
  const int status = verb(args, out, err);
  return {status, out.str(), err.str()};
}
