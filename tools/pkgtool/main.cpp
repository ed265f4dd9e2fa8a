#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli.h"
#include "verbs.h"

int main(int argc, char** argv) {
  try {
    return RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "pkgtool: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "pkgtool: " << e.what() << "\n";
  }
  return kExitFailed;
}
