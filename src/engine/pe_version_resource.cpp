#include "engine/pe_version_resource.h"

#include <cstdint>
#include <optional>

#include "engine/little_endian.h"

namespace {

constexpr uint32_t kVersionType = 16;
constexpr uint32_t kSubdirectory = 0x80000000u;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BDu;
constexpr size_t kFixedInfoAt = 40;  // after the header words and the key "VS_VERSION_INFO" in UTF-16, padded

class PeImage {
 public:
  explicit PeImage(std::string_view bytes) : bytes_(bytes) {}

  bool Fits(uint64_t at, uint64_t length) const { return at <= bytes_.size() && length <= bytes_.size() - at; }
  uint16_t Le16(uint64_t at) const { return ReadLe16(bytes_, size_t(at)); }
  uint32_t Le32(uint64_t at) const { return ReadLe32(bytes_, size_t(at)); }
  std::string_view Slice(uint64_t at, uint64_t length) const { return bytes_.substr(size_t(at), size_t(length)); }

  // File offset and virtual address of the resource directory, from the PE headers.
  bool FindResources(uint32_t& rva) {
    if (!Fits(0, 64) || bytes_[0] != 'M' || bytes_[1] != 'Z') return false;
    const uint64_t pe = Le32(60);
    if (!Fits(pe, 24) || Slice(pe, 4) != std::string_view("PE\0\0", 4)) return false;
    sectionCount_ = Le16(pe + 6);
    const uint64_t optional = pe + 24;
    const uint16_t optionalSize = Le16(pe + 20);
    sectionsAt_ = optional + optionalSize;
    if (!Fits(optional, optionalSize) || optionalSize < 2) return false;
    const uint16_t magic = Le16(optional);
    const uint64_t countAt = optional + (magic == 0x20b ? 108 : 92);
    if (magic != 0x10b && magic != 0x20b) return false;
    if (countAt + 4 > sectionsAt_ || Le32(countAt) < 3) return false;
    const uint64_t resourceEntry = countAt + 4 + 2 * 8;
    if (resourceEntry + 8 > sectionsAt_) return false;
    rva = Le32(resourceEntry);
    return rva != 0 && Le32(resourceEntry + 4) != 0;
  }

  // The file offset of a virtual address inside one of the sections' raw data.
  std::optional<uint64_t> Offset(uint32_t rva) const {
    for (uint32_t i = 0; i < sectionCount_; ++i) {
      const uint64_t header = sectionsAt_ + uint64_t(i) * 40;
      if (!Fits(header, 40)) return std::nullopt;
      const uint32_t address = Le32(header + 12);
      const uint32_t rawSize = Le32(header + 16);
      if (rva < address || rva - address >= rawSize) continue;
      return uint64_t(Le32(header + 20)) + (rva - address);
    }
    return std::nullopt;
  }

 private:
  std::string_view bytes_;
  uint32_t sectionCount_ = 0;
  uint64_t sectionsAt_ = 0;
};

// The target of the entry with `id` in the directory at `directory` (any entry
// when `id` is empty), relative to the resource directory's start.
std::optional<uint32_t> DirectoryEntry(const PeImage& image, uint64_t root, uint32_t directory,
                                       std::optional<uint32_t> id) {
  const uint64_t at = root + directory;
  if (!image.Fits(at, 16)) return std::nullopt;
  const uint32_t count = uint32_t(image.Le16(at + 12)) + image.Le16(at + 14);
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t entry = at + 16 + uint64_t(i) * 8;
    if (!image.Fits(entry, 8)) return std::nullopt;
    if (!id || image.Le32(entry) == *id) return image.Le32(entry + 4);
  }
  return std::nullopt;
}

}  // namespace

bool ReadPeVersionResource(std::string_view bytes, VersionNumber& fileVersion) {
  fileVersion = VersionNumber{};
  PeImage image(bytes);
  uint32_t rva = 0;
  if (!image.FindResources(rva)) return false;
  const std::optional<uint64_t> root = image.Offset(rva);
  if (!root) return false;
  // Type, then name, then language: the first name and language found.
  std::optional<uint32_t> target = DirectoryEntry(image, *root, 0, kVersionType);
  for (int level = 0; level < 2 && target; ++level) {
    if ((*target & kSubdirectory) == 0) return false;
    target = DirectoryEntry(image, *root, *target & ~kSubdirectory, std::nullopt);
  }
  if (!target || (*target & kSubdirectory) != 0 || !image.Fits(*root + *target, 8)) return false;
  const std::optional<uint64_t> data = image.Offset(image.Le32(*root + *target));
  const uint32_t size = image.Le32(*root + *target + 4);
  if (!data || !image.Fits(*data, size)) return false;
  if (size >= kFixedInfoAt + 16 && image.Le16(*data + 2) >= 52 && image.Le32(*data + kFixedInfoAt) == kFixedInfoSignature)
    fileVersion = VersionNumber{image.Le32(*data + kFixedInfoAt + 8), image.Le32(*data + kFixedInfoAt + 12)};
  return true;
}
