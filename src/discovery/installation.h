#pragma once
// Finding the installation to update.
#include <cstdint>
#include <string>

struct ProductInfo {
  int32_t majorVersion = 0;  // version number in the high 16 bits
  std::string caption;
};

// Scans the registry for installations of the antivirus (firewall = false) or
// the firewall and picks one, asking the user where needed. 0 when one was
// chosen (the three outputs are set), -1 when the run must stop.
int ChooseInstallation(bool firewall, int32_t& productVersionIndex, std::string& productRegKey,
                       std::string& programDir);

// Asks for the install folder of the oldest edition. 0 when the user accepted
// a folder (then in `folder`), -1 when cancelled.
int AskInstallFolder(std::string& folder);

// Reads the product information of an installation folder. 1 on success.
int ReadProductInfo(const std::string& folder, ProductInfo& info);
