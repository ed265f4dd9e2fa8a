#include <cstdint>

#include "file_io.h"
#include "pack.h"
#include "package/depack.h"
#include "verbs.h"

int RunPack(const VerbArgs& args, std::ostream&, std::ostream& err) {
  const std::string& in = args[0];
  const std::string& outPath = args[1];
  std::vector<unsigned char> plain;
  std::string error;
  if (!ReadWholeFile(in, plain, error)) {
    err << "pkgtool: " << error << "\n";
    return kExitFailed;
  }
  if (plain.empty()) {
    err << "pkgtool: " << in << " is empty; a packed file holds at least one byte\n";
    return kExitFailed;
  }
  if ((uint64_t(plain.size()) >> 32) != 0) {
    err << "pkgtool: " << in << " is too large; a packed file holds at most 4294967295 bytes\n";
    return kExitFailed;
  }
  std::vector<unsigned char> image = PackImage(plain.data(), plain.size());

  // Never hand out a file that would not unpack to the input.
  std::vector<unsigned char> check;
  if (!UnpackImage(image.data(), image.size(), check).ok() || check != plain) {
    err << "pkgtool: internal error: the packed stream does not unpack to " << in << "\n";
    return kExitFailed;
  }
  if (!WriteFileSafely(outPath, image, error)) {
    err << "pkgtool: " << error << "\n";
    return kExitFailed;
  }
  return kExitOk;
}
