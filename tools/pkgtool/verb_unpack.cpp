#include "engine/crc32.h"
#include "file_io.h"
#include "pack.h"
#include "package/depack.h"
#include "verbs.h"

int RunUnpack(const VerbArgs& args, std::ostream&, std::ostream& err) {
  const std::string& in = args[0];
  const std::string& outPath = args[1];
  std::vector<unsigned char> packed;
  std::string error;
  if (!ReadWholeFile(in, packed, error)) {
    err << "pkgtool: " << error << "\n";
    return kExitFailed;
  }
  std::vector<unsigned char> plain;
  DepackResult result = UnpackImage(packed.data(), packed.size(), plain);
  if (!result.ok()) {
    err << "pkgtool: " << in << ": " << DepackStatusText(result.status) << "\n";
    return kExitFailed;
  }
  OwnHeader own = ReadOwnHeader(packed.data(), packed.size());
  if (own.present && Crc32Update(0, plain.data(), plain.size()) != own.crc) {
    err << "pkgtool: " << in << ": unpacked content does not match its CRC-32\n";
    return kExitFailed;
  }
  if (!WriteFileSafely(outPath, plain, error)) {
    err << "pkgtool: " << error << "\n";
    return kExitFailed;
  }
  return kExitOk;
}
