// A driver's version resource against a catalogue version. The input is the
// version text, a NUL byte, then the file. Checked: the answer is -1, 0 or 1;
// reversing the roles of two plain versions reverses the answer; the header
// walk finds a resource wherever it lies, reads only bytes inside the file
// and never more than the resource limit.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/driver_version.h"
#include "engine/little_endian.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

class BytesFile : public ByteSource {
 public:
  explicit BytesFile(std::string bytes) : bytes_(std::move(bytes)) {}
  std::string ReadAt(uint64_t offset, size_t length) override {
    Check(length <= kMaxDriverResource);
    if (offset >= bytes_.size()) return {};
    return bytes_.substr(size_t(offset), length);
  }

 private:
  std::string bytes_;
};

void PutLe32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = char(value >> (8 * i));
}

// A driver file holding `resource` at `resourceAt`, LE header at `leAt`.
std::string DriverFile(std::string_view resource, uint32_t leAt, uint32_t resourceAt) {
  std::string file(std::max<size_t>(leAt + 196, resourceAt + resource.size()), '\0');
  file[0] = 'M', file[1] = 'Z';
  PutLe32(file, 60, leAt);
  file[leAt] = 'L', file[leAt + 1] = 'E';
  PutLe32(file, leAt + 184, resourceAt);
  PutLe32(file, leAt + 188, uint32_t(resource.size()));
  file.replace(resourceAt, resource.size(), resource);
  return file;
}

// The dotted text as a resource value: parts separated by commas.
std::string Resource(std::string_view dotted) {
  std::string value(dotted);
  for (char& c : value)
    if (c == '.') c = ',';
  return std::string("\0\0FileVersion\0", 14) + value + std::string(1, '\0');
}

bool PlainVersion(std::string_view text) {
  if (text.empty() || text.front() == '.' || text.back() == '.' || text.find("..") != std::string_view::npos) return false;
  if (text.find_first_not_of("0123456789.") != std::string_view::npos) return false;
  for (size_t at = 0; at < text.size();) {  // parts of up to nine digits
    size_t dot = std::min(text.find('.', at), text.size());
    if (dot - at > 9) return false;
    at = dot + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const std::string_view version = input.substr(0, nul);
  const std::string_view file = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);

  BytesFile asFile{std::string(file)};
  const int direct = CompareDriverVersion(asFile, version);
  Check(direct >= -1 && direct <= 1);

  const std::string_view resource = file.substr(0, kMaxDriverResource + 1);
  const int inResource = CompareDriverResourceVersion(resource, version);
  Check(inResource >= -1 && inResource <= 1);
  // The same resource placed after the headers, and at the very start of a
  // file whose LE header follows it.
  const uint32_t leAt = 64 + uint32_t(size % 512);
  for (const std::string& wrapped : {DriverFile(resource, leAt, leAt + 196 + uint32_t(size % 7)),
                                     DriverFile(resource, uint32_t(64 + resource.size()), 64)}) {
    BytesFile driver(wrapped);
    Check(CompareDriverVersion(driver, version) == (resource.size() > kMaxDriverResource ? 0 : inResource));
    // Cut one byte short, the resource or the LE header is incomplete.
    BytesFile cut(wrapped.substr(0, wrapped.size() - 1));
    Check(CompareDriverVersion(cut, version) == 0);
  }

  // Two plain versions of the same number of parts: comparing either way
  // gives opposite answers, and a version equals itself.
  const std::string_view other = file.substr(0, file.find('\0'));
  if (PlainVersion(version) && PlainVersion(other)) {
    const auto partsOf = [](std::string_view t) { return 1 + std::count(t.begin(), t.end(), '.'); };
    Check(CompareDriverResourceVersion(Resource(version), version) == 0);
    if (partsOf(version) == partsOf(other))
      Check(CompareDriverResourceVersion(Resource(version), other) == -CompareDriverResourceVersion(Resource(other), version));
  }
  return 0;
}
