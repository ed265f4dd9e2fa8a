#include "memory_file_system.h"

#include <algorithm>
#include <ranges>
#include <cstring>

#include "commit/wininit_text.h"
#include "paths/path_ops.h"

namespace {

constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorNotReady = 21;
constexpr uint32_t kErrorSharingViolation = 32;
constexpr uint32_t kErrorNotImplemented = 120;

std::string Key(const std::string& path) { return FoldCase(path); }

}  // namespace

void MemoryFileSystem::AddFolder(const std::string& folder) { folders_.insert(Key(folder)); }

void MemoryFileSystem::Put(const std::string& path, const std::string& bytes, uint32_t attributes) {
  File& file = files_[Key(path)];
  file.name = path;
  file.bytes = file.durable = bytes;
  file.attributes = attributes;
  file.written = {0x12345678u, 0x01C3A000u};
}

void MemoryFileSystem::HoldOpen(const std::string& path) { files_.at(Key(path)).heldByOther = true; }

std::map<std::string, MemoryFileSystem::Entry> MemoryFileSystem::Files() const {
  std::map<std::string, Entry> entries;
  for (const auto& [key, file] : files_) entries[key] = {file.name, file.bytes, file.attributes};
  return entries;
}

bool MemoryFileSystem::Get(const std::string& path, std::string& bytes) const {
  const auto found = files_.find(Key(path));
  if (found == files_.end()) return false;
  bytes = found->second.bytes;
  return true;
}

bool MemoryFileSystem::Settle() {
  if (!crashed_ && crashAfter_ > 0 && calls_ >= crashAfter_) {
    crashed_ = true;
    for (auto& [key, file] : files_) file.bytes = file.durable;
    handles_.clear();
  }
  return crashed_;
}

void MemoryFileSystem::Restart(const std::string& wininitPath) {
  for (File& file : files_ | std::views::values) file.opens = 0, file.heldByOther = false;
  handles_.clear();
  crashed_ = false;
  crashAfter_ = failCall_ = silentCutCall_ = 0;
  const auto moveOnto = [this](const std::string& from, const std::string& to) {
    auto source = files_.find(Key(from));
    if (source == files_.end()) return;
    File moved = std::move(source->second);
    files_.erase(source);
    if (to.empty()) return;
    moved.name = to;
    files_[Key(to)] = std::move(moved);
  };
  if (family_ == WindowsFamily::kNt) {
    for (const auto& [from, to] : pending_) moveOnto(from, to);
    pending_.clear();
    return;
  }
  std::string text;
  if (!Get(wininitPath, text)) return;
  for (const std::string& line : RenameSectionLines(text)) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string target = line.substr(0, equals), source = line.substr(equals + 1);
    if (EqualsIgnoringCase(target, "NUL")) {
      files_.erase(Key(source));
    } else {
      files_.erase(Key(target));
      moveOnto(source, target);
    }
  }
  moveOnto(wininitPath, FolderOfPath(wininitPath) + "wininit.bak");
}

bool MemoryFileSystem::Begin() {
  Settle();
  if (crashed_) return Fail(kErrorNotReady);
  ++calls_;
  return calls_ == failCall_ ? Fail(failError_) : true;
}

bool MemoryFileSystem::Fail(uint32_t error) {
  error_ = error;
  return false;
}

MemoryFileSystem::File* MemoryFileSystem::Find(const std::string& path) {
  const auto found = files_.find(Key(path));
  return found == files_.end() ? nullptr : &found->second;
}

MemoryFileSystem::Handle* MemoryFileSystem::HandleOf(FileId file) {
  if (file < 0 || size_t(file) >= handles_.size() || !handles_[size_t(file)].open) return nullptr;
  return &handles_[size_t(file)];
}

bool MemoryFileSystem::FolderExists(const std::string& path) const {
  return folders_.count(Key(FolderOfPath(path))) != 0;
}

FileId MemoryFileSystem::Open(const std::string& path, FileOpen how) {
  if (!Begin()) return kNoFile;
  File* file = Find(path);
  if (!FolderExists(path)) return Fail(kErrorPathNotFound), kNoFile;
  if (file != nullptr && (file->heldByOther || (how != FileOpen::kRead && file->opens > 0)))
    return Fail(kErrorSharingViolation), kNoFile;
  if (file != nullptr && how != FileOpen::kRead && (file->attributes & kAttributeReadOnly))
    return Fail(kErrorAccessDenied), kNoFile;
  switch (how) {
    case FileOpen::kRead:
      if (file == nullptr) return Fail(kErrorFileNotFound), kNoFile;
      break;
    case FileOpen::kCreateNew:
      if (file != nullptr) return Fail(kErrorFileExists), kNoFile;
      [[fallthrough]];
    case FileOpen::kCreateAlways:
      // The new length is on the disk at once; the data only once flushed.
      file = &files_[Key(path)];
      if (file->name.empty()) file->name = path;
      file->bytes.clear();
      file->durable.clear();
      file->attributes = kAttributeArchive;
      break;
    case FileOpen::kReadWrite:
      if (file == nullptr) {
        file = &files_[Key(path)];
        file->name = path;
      }
      break;
  }
  ++file->opens;
  handles_.push_back({Key(path), how != FileOpen::kRead, 0, true});
  return FileId(handles_.size() - 1);
}

bool MemoryFileSystem::Read(FileId id, void* buffer, uint32_t length, uint32_t& done) {
  done = 0;
  if (!Begin()) return false;
  Handle* handle = HandleOf(id);
  if (handle == nullptr) return Fail(kErrorInvalidHandle);
  const std::string& bytes = files_.at(handle->key).bytes;
  const size_t start = std::min(handle->position, bytes.size());
  done = uint32_t(std::min<size_t>(length, bytes.size() - start));
  std::memcpy(buffer, bytes.data() + start, done);
  handle->position = start + done;
  return true;
}

bool MemoryFileSystem::Write(FileId id, const void* buffer, uint32_t length) {
  const bool faulted = !Begin();
  Handle* handle = HandleOf(id);
  if (crashed_) return false;
  if (handle == nullptr || !handle->writes) return Fail(kErrorInvalidHandle);
  // A failed write (a full disk) may still have written part of the bytes.
  const uint32_t written = faulted || calls_ == silentCutCall_ ? length / 2 : length;
  std::string& bytes = files_.at(handle->key).bytes;
  if (bytes.size() < handle->position) bytes.resize(handle->position);
  bytes.replace(handle->position, std::min<size_t>(written, bytes.size() - handle->position),
                static_cast<const char*>(buffer), written);
  handle->position += written;
  return faulted ? Fail(failError_) : true;
}

bool MemoryFileSystem::SeekToEnd(FileId id) {
  if (!Begin()) return false;
  Handle* handle = HandleOf(id);
  if (handle == nullptr) return Fail(kErrorInvalidHandle);
  handle->position = files_.at(handle->key).bytes.size();
  return true;
}

bool MemoryFileSystem::Size(FileId id, uint64_t& size) {
  if (!Begin()) return false;
  Handle* handle = HandleOf(id);
  if (handle == nullptr) return Fail(kErrorInvalidHandle);
  size = files_.at(handle->key).bytes.size();
  return true;
}

bool MemoryFileSystem::Flush(FileId id) {
  if (!Begin()) return false;
  Handle* handle = HandleOf(id);
  if (handle == nullptr) return Fail(kErrorInvalidHandle);
  File& file = files_.at(handle->key);
  file.durable = file.bytes;
  return true;
}

bool MemoryFileSystem::WriteTime(FileId id, FileTime& time) {
  if (!Begin()) return false;
  Handle* handle = HandleOf(id);
  if (handle == nullptr) return Fail(kErrorInvalidHandle);
  time = files_.at(handle->key).written;
  return true;
}

bool MemoryFileSystem::SetWriteTime(FileId id, const FileTime& time) {
  if (!Begin()) return false;
  Handle* handle = HandleOf(id);
  if (handle == nullptr || !handle->writes) return Fail(kErrorInvalidHandle);
  files_.at(handle->key).written = time;
  return true;
}

bool MemoryFileSystem::Close(FileId id) {
  Handle* handle = HandleOf(id);
  // A handle is closed even when the call reports a failure.
  if (handle != nullptr) {
    handle->open = false;
    --files_.at(handle->key).opens;
  }
  if (!Begin()) return false;
  return handle != nullptr || Fail(kErrorInvalidHandle);
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to, bool replace) {
  File* source = Find(from);
  if (source == nullptr) return Fail(kErrorFileNotFound);
  if (!FolderExists(to)) return Fail(kErrorPathNotFound);
  if (source->opens > 0 || (source->heldByOther && family_ == WindowsFamily::k9x))
    return Fail(kErrorSharingViolation);
  File* target = Find(to);
  if (target != nullptr && target != source) {
    if (!replace) return Fail(kErrorAlreadyExists);
    if (target->opens > 0 || target->heldByOther || (target->attributes & kAttributeReadOnly))
      return Fail(kErrorAccessDenied);
  }
  File moved = std::move(*source);
  files_.erase(Key(from));
  moved.name = to;
  files_[Key(to)] = std::move(moved);
  return true;
}

bool MemoryFileSystem::Move(const std::string& from, const std::string& to) {
  return Begin() && Rename(from, to, false);
}

bool MemoryFileSystem::MoveReplacing(const std::string& from, const std::string& to) {
  if (!Begin()) return false;
  return family_ == WindowsFamily::k9x ? Fail(kErrorNotImplemented) : Rename(from, to, true);
}

bool MemoryFileSystem::MoveAtRestart(const std::string& from, const std::string& to) {
  if (!Begin()) return false;
  if (family_ == WindowsFamily::k9x) return Fail(kErrorNotImplemented);
  if (Find(from) == nullptr) return Fail(kErrorFileNotFound);
  pending_.emplace_back(from, to);
  return true;
}

bool MemoryFileSystem::Delete(const std::string& path) {
  if (!Begin()) return false;
  File* file = Find(path);
  if (file == nullptr) return Fail(kErrorFileNotFound);
  if (file->opens > 0 || file->heldByOther) return Fail(kErrorSharingViolation);
  if (file->attributes & kAttributeReadOnly) return Fail(kErrorAccessDenied);
  files_.erase(Key(path));
  return true;
}

uint32_t MemoryFileSystem::Attributes(const std::string& path) {
  if (!Begin()) return kNoSuchFile;
  if (const File* file = Find(path)) return file->attributes;
  std::string folder = path;
  EnsureTrailingBackslash(folder);
  if (folders_.count(Key(folder))) return kAttributeFolder;
  return Fail(kErrorFileNotFound), kNoSuchFile;
}

bool MemoryFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  if (!Begin()) return false;
  File* file = Find(path);
  if (file == nullptr) return Fail(kErrorFileNotFound);
  file->attributes = attributes;
  return true;
}

bool MemoryFileSystem::ShortPath(const std::string& path, std::string& shortPath) {
  if (!Begin()) return false;
  std::string folder = path;
  EnsureTrailingBackslash(folder);
  if (Find(path) == nullptr && !folders_.count(Key(folder))) return Fail(kErrorFileNotFound);
  shortPath = path;
  return true;
}
