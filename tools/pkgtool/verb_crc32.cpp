#include <cstdint>

#include "engine/crc32.h"
#include "file_io.h"
#include "verbs.h"

int RunCrc32(const VerbArgs& args, std::ostream& out, std::ostream& err) {
  int status = kExitOk;
  for (const std::string& path : args) {
    uint32_t crc = 0;
    std::string error;
    bool ok = ReadInPieces(
        path, [&](const unsigned char* bytes, size_t n) { crc = Crc32Update(crc, bytes, n); }, error);
    if (!ok) {
      err << "pkgtool: " << error << "\n";
      status = kExitFailed;
      continue;
    }
    out << crc << " " << path << "\n";
  }
  return status;
}
