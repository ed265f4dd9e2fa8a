#include "discovery/installed_product.h"

#include <cstdio>

#include "paths/path_ops.h"
#include "resources/message_ids.h"

std::string InstallationKey(ProductKind kind, int version) {
  const char* product = kind == kFirewall ? "ZmtPFW" : "AntiVirus";
  return std::string("SOFTWARE\\Norvance\\") + product + "\\V" + std::to_string(version) + ".0";
}

const char* MarkerFileName(ProductKind kind, int version) {
  return kind == kAntivirus && version == 1 ? "zmt9x.exe" : "iskal.dat";
}

std::string CutCaption(const std::string& caption) {
  size_t end = 0;
  while (end < caption.size()) {
    size_t next = end + CharacterWidthAt(caption, end);
    if (next > kCaptionLimit) break;
    end = next;
  }
  return caption.substr(0, end);
}

unsigned DisplayNameMessageId(ProductKind kind, int32_t versionIndex) {
  if (kind == kFirewall) {
    if (versionIndex >= 3 && versionIndex <= 5) return kMsgFirewallNameFirst + unsigned(versionIndex - 3);
    return kMsgFirewallName;
  }
  if (versionIndex >= 0 && versionIndex <= 5) return kMsgAntivirusNameFirst + unsigned(versionIndex);
  // Later editions share one name; an index below 0 cannot come from the scan.
  return kMsgAntivirusNameFirst + 6;
}

std::string DisplayName(const InstalledProduct& product, const std::function<std::string(unsigned)>& text) {
  if (!product.caption.empty()) return product.caption;
  unsigned id = DisplayNameMessageId(ProductKind(product.productKind), product.versionIndex);
  std::string name = text(id);
  if (id != kMsgFirewallName) return name;
  // The numbered firewall name: its text holds one %d.
  char numbered[512];
  std::snprintf(numbered, sizeof numbered, name.c_str(), int(product.versionIndex + 1));
  return numbered;
}
