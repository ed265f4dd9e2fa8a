#include "addons/assistant_offer_win.h"

#include <windows.h>

#include "platform/process_start_win.h"
#include "platform/registry_value_win.h"
#include "platform/registry_win.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

namespace {

// The assistant's COM class: present once it is installed.
constexpr char kAssistantClassKey[] = "CLSID\\{7CA83CF1-3AEA-42D0-A4E3-1594FC6E48B2}";
// Under the installation's key once the offer was made; any data counts.
constexpr char kOfferedMarker[] = "Not Install 3721 Plug";

bool AssistantInstalled() { return RegistryKey(HKEY_CLASSES_ROOT, kAssistantClassKey, KEY_READ).IsOpen(); }

bool OfferWasMade(const std::string& productRegKey) {
  return HasRegistryValue(RegistryKey(HKEY_LOCAL_MACHINE, productRegKey, KEY_READ), kOfferedMarker);
}

}  // namespace

int OfferAssistant(const std::string& installerPath, const std::string& productRegKey) {
  if (AssistantInstalled() || OfferWasMade(productRegKey)) return 1;
  if (ShowMessageBox(LoadMessage(kMsgAssistantOffer), kMsgTitleNotice, MB_YESNO | MB_ICONQUESTION) == IDYES) {
    // The program is named apart from its command line, so that a folder
    // with a blank never makes Windows try a shorter path ("C:\Program.exe");
    // in the command line the path is quoted, so that the installer finds
    // its switch as its first argument.
    if (!StartProgram(installerPath, "\"" + installerPath + "\" /S")) return 0;
  }
  // Without write access (no administrator rights) the marker is not written
  // and the offer comes again next time.
  RegistryKey(HKEY_LOCAL_MACHINE, productRegKey, KEY_ALL_ACCESS).WriteDword(kOfferedMarker, 1);
  return 1;
}
