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
// chosen (the three outputs are set), -1 when the run must stop (any message
// has been shown).
int ChooseInstallation(bool firewall, int32_t& productVersionIndex, std::string& productRegKey,
                       std::string& programDir);

// Asks for the install folder of the oldest edition. 0 when the user accepted
// a folder (then in `folder`, ending with a backslash), -1 when cancelled.
int AskInstallFolder(std::string& folder);

// Reads the product information of an installation folder (ending with a
// backslash) through its information library. 1 on success: the folder holds
// the product data file and the version is above 1, or the oldest edition's
// registry key exists (the version is then 1).
int ReadProductInfo(const std::string& folder, ProductInfo& info);
