#pragma once
// Finding the installation to update.
#include <cstdint>
#include <string>

#include "app/run_options.h"

struct ProductInfo {
  int32_t majorVersion = 0;  // version number in the high 16 bits
  std::string caption;
};

// Results of a choice: made, stopped (any message has been shown), or refused
// because the answer needs a person and the unattended run was not given it
// on its command line (the refusal has been shown too).
constexpr int kChoiceMade = 0;
constexpr int kChoiceStopped = -1;
constexpr int kChoiceRefused = -2;

// Scans the registry for installations of the antivirus (firewall = false) or
// the firewall and picks one, asking the user where needed; the options'
// /VERSION answers the version question, and a silent run refuses the
// questions it has no answer for. On kChoiceMade the three outputs are set.
int ChooseInstallation(const RunOptions& options, bool firewall, int32_t& productVersionIndex,
                       std::string& productRegKey, std::string& programDir);

// The install folder of the oldest edition: the options' /PROGRAMDIR when
// given (checked as the dialog checks an entry), else the user's answer in
// the dialog, which a silent run refuses. On kChoiceMade `folder` ends with a
// backslash.
int AskInstallFolder(const RunOptions& options, std::string& folder);

// Reads the product information of an installation folder (ending with a
// backslash) through its information library. 1 on success: the folder holds
// the product data file and the version is above 1, or the oldest edition's
// registry key exists (the version is then 1).
int ReadProductInfo(const std::string& folder, ProductInfo& info);
