#pragma once
// The one-time offer of the browser assistant whose installer an installation
// may carry in its program folder.
#include <string>

// Unless the assistant is installed or the installation's key
// (HKEY_LOCAL_MACHINE\`productRegKey`) records that the offer was made, asks
// the user; on Yes starts the installer silently without waiting for it.
// Then records the offer. 1 when nothing more is to be done, 0 when the
// installer could not be started (nothing is recorded: the offer comes again).
int OfferAssistant(const std::string& installerPath, const std::string& productRegKey);
