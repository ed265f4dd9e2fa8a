// The version resource reader over any bytes: it never reads outside them,
// a failure leaves version 0, and the full version text reads back as the
// version.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/pe_version_resource.h"
#include "versions/version_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  VersionNumber version{1, 1};
  const bool found = ReadPeVersionResource(std::string_view(reinterpret_cast<const char*>(data), size), version);
  if (!found && !version.IsZero()) std::abort();
  if (ParseVersion(FullVersionText(version)) != version) std::abort();
  return 0;
}
