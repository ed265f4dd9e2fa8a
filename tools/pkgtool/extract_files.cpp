#include "extract_files.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "filetime.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#define PKGTOOL_HAS_UTIMENSAT 1
#endif

namespace fs = std::filesystem;

namespace {

// Sets last-access and last-write times; a time that cannot be represented
// leaves that time as it is.
void SetFileTimes(const std::string& path, const ArchiveTimes& times) {
  UnixTime accessed, written;
  bool haveAccessed = FileTimeToUnix(times.accessed, accessed);
  bool haveWritten = FileTimeToUnix(times.written, written);
#ifdef PKGTOOL_HAS_UTIMENSAT
  struct timespec unixTimes[2];
  unixTimes[0].tv_sec = time_t(accessed.seconds);
  unixTimes[0].tv_nsec = haveAccessed ? accessed.nanoseconds : UTIME_OMIT;
  unixTimes[1].tv_sec = time_t(written.seconds);
  unixTimes[1].tv_nsec = haveWritten ? written.nanoseconds : UTIME_OMIT;
  utimensat(AT_FDCWD, path.c_str(), unixTimes, 0);
#else
  (void)haveAccessed;
  if (!haveWritten) return;
  auto since = std::chrono::seconds(written.seconds) + std::chrono::nanoseconds(written.nanoseconds);
  std::chrono::sys_time<std::chrono::nanoseconds> system(since);
  std::error_code ignored;
  fs::last_write_time(fs::path(path),
                      std::chrono::time_point_cast<fs::file_time_type::duration>(
                          std::chrono::file_clock::from_sys(system)),
                      ignored);
#endif
}

}  // namespace

bool StreamArchiveSource::Size(uint64_t& size) {
  in_.clear();
  in_.seekg(0, std::ios::end);
  std::streamoff end = in_.tellg();
  in_.seekg(0, std::ios::beg);
  if (!in_ || end < 0) return false;
  size = uint64_t(end);
  return true;
}

bool StreamArchiveSource::Seek(uint64_t offset) {
  in_.clear();
  in_.seekg(std::streamoff(offset), std::ios::beg);
  return bool(in_);
}

bool StreamArchiveSource::Read(unsigned char* buffer, size_t length, size_t& done) {
  in_.read(reinterpret_cast<char*>(buffer), std::streamsize(length));
  done = size_t(in_.gcount());
  return !in_.bad();
}

bool DirectoryTarget::Create(const EntryPlacement& placement) {
  fs::path folder(destination_);
  for (const std::string& level : placement.folders) folder /= level;
  std::error_code ec;
  fs::create_directories(folder, ec);
  fs::path file = folder / placement.name;
  current_ = file.string();
  out_.close();
  out_.clear();
  out_.open(file, std::ios::binary | std::ios::trunc);
  return out_.is_open();
}

bool DirectoryTarget::Write(const unsigned char* bytes, size_t length) {
  out_.write(reinterpret_cast<const char*>(bytes), std::streamsize(length));
  return bool(out_);
}

bool DirectoryTarget::Finish(const ArchiveTimes& times) {
  out_.close();  // flushes; a failure sets failbit
  if (!out_) return false;
  SetFileTimes(current_, times);
  return true;
}
