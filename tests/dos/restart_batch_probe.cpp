// Writes the runner's restart-batch text for the DOSBox test:
//   restart_batch_probe mover MOVER STAGED DEST      prints the mover group
//   restart_batch_probe start BATCH MOVER FILE       adds the start text to FILE
// Exit code 1 when the text cannot be made (a line too long for DOS).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "commit/restart_batch_text.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: restart_batch_probe mover MOVER STAGED DEST | start BATCH MOVER FILE\n";
    return 2;
  }
  const std::string verb = argv[1];
  if (verb == "mover") {
    std::string group = MoverGroup(argv[2], argv[3], argv[4]);
    std::cout << group;
    return group.empty() ? 1 : 0;
  }
  if (verb == "start") {
    std::string startText = StartFileText(argv[2], argv[3]);
    std::ifstream in(argv[4], std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(argv[4], std::ios::binary | std::ios::app) << StartTextToAppend(text, startText);
    return startText.empty() ? 1 : 0;
  }
  return 2;
}
