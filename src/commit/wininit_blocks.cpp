#include "commit/wininit_blocks.h"

std::string RouteBlock(const std::string& shortDestination, const std::string& shortTmp) {
  return "NUL=" + shortDestination + "\r\n" + shortDestination + "=" + shortTmp + "\r\n";
}

std::string DeletionBlock(const std::vector<std::string>& shortPaths) {
  std::string block;
  for (const std::string& path : shortPaths) block += "NUL=" + path + "\r\n";
  return block;
}
