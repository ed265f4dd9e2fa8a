#include "harvest_check.h"

#include "engine/driver_version.h"
#include "engine/header_versions.h"
#include "engine/item_keys.h"
#include "engine/memory_byte_source.h"
#include "engine/pe_version_resource.h"
#include "versions/version_format.h"

namespace {

HarvestedCheck ByCrc(const std::string& reason) { return HarvestedCheck{3, "0", "", reason}; }

// The general rule with the new file's version, unless the runner would then
// keep an installed file that differs.
HarvestedCheck GeneralRule(const std::string& version, const std::optional<std::string>& oldBytes,
                           const std::string& reason) {
  if (version.size() > item_keys::kVersion.limit) return ByCrc("version " + version + " is too long for Version");
  if (oldBytes) {
    VersionNumber ignored;
    MemoryByteSource installed(*oldBytes);
    if (!ReadPeVersionResource(*oldBytes, ignored) && CompareDriverVersion(installed, version) == 1)
      return ByCrc("the installed driver is newer than " + version);
  }
  return HarvestedCheck{0, version, "", reason};
}

}  // namespace

HarvestedCheck ChooseCheck(std::string_view newBytes, const std::optional<std::string>& oldBytes, bool isDatabase,
                           const VersionNumber& installedDatabase) {
  if (isDatabase) {
    VersionNumber own;
    const std::string version = EngineVersionFromBytes(newBytes, own) ? FullVersionText(own) : "0";
    return HarvestedCheck{7, version, FullVersionText(installedDatabase),
                          "virus database for installed version " + FullVersionText(installedDatabase)};
  }
  VersionNumber fileVersion;
  if (ReadPeVersionResource(newBytes, fileVersion))
    return GeneralRule(FullVersionText(fileVersion), oldBytes, "version resource");
  MemoryByteSource bytes(newBytes);
  const std::string driverVersion = DriverVersionText(bytes);
  if (!driverVersion.empty()) return GeneralRule(driverVersion, oldBytes, "driver version");
  return ByCrc("CRC-32");
}
