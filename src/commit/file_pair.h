#pragma once
// A file to put in place of another: full paths, ANSI bytes.
#include <string>

struct FilePair {
  std::string source;
  std::string destination;
};
