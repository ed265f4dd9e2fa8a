#include "file_io.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {
constexpr size_t kPiece = 64 * 1024;

bool OpenForReading(const std::string& path, std::ifstream& in, std::string& error) {
  std::error_code ec;
  if (fs::is_directory(fs::path(path), ec)) {
    error = "cannot read " + path + ": it is a directory";
    return false;
  }
  in.open(fs::path(path), std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  return true;
}
}  // namespace

bool ReadInPieces(const std::string& path,
                  const std::function<void(const unsigned char*, size_t)>& consume, std::string& error) {
  std::ifstream in;
  if (!OpenForReading(path, in, error)) return false;
  std::vector<char> piece(kPiece);
  while (in) {
    in.read(piece.data(), std::streamsize(piece.size()));
    std::streamsize got = in.gcount();
    if (got > 0) consume(reinterpret_cast<const unsigned char*>(piece.data()), size_t(got));
  }
  if (in.bad() || !in.eof()) {
    error = "error while reading " + path;
    return false;
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& content, std::string& error) {
  content.clear();
  return ReadInPieces(
      path, [&](const unsigned char* bytes, size_t n) { content.insert(content.end(), bytes, bytes + n); },
      error);
}

bool WriteFileSafely(const std::string& path, const std::vector<unsigned char>& content, std::string& error) {
  const fs::path target(path);
  fs::path temporary = target;
  temporary += ".partial";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out) out.write(reinterpret_cast<const char*>(content.data()), std::streamsize(content.size()));
    if (out) out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      error = "cannot write " + path;
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    error = "cannot replace " + path + ": " + ec.message();
    return false;
  }
  return true;
}
