#pragma once
#include <vector>

#include "discovery/installed_product.h"

// The installations of the antivirus (firewall 0) or the firewall (1) under
// the local machine's keys V1.0 .. V10.0, in version order. 0 for any other
// flag.
int EnumerateInstallations(int firewall, std::vector<InstalledProduct>& found);
