#pragma once
// Registry changes made at every start: a list of fixes, each applied on
// its own, none undone later.
#include <windows.h>

#include <forward_list>
#include <memory>
#include <string>

class RegistryFix {
 public:
  virtual ~RegistryFix() = default;
  // 1 when the change was made, 0 otherwise.
  virtual int Apply() = 0;
};

// Sets a REG_DWORD value of an existing key; a missing key is left missing.
class RegistryDwordFix : public RegistryFix {
 public:
  RegistryDwordFix(HKEY root, std::string keyPath, std::string valueName, DWORD value)
      : root_(root), keyPath_(std::move(keyPath)), valueName_(std::move(valueName)), value_(value) {}
  int Apply() override;

 private:
  HKEY root_;
  std::string keyPath_;
  std::string valueName_;
  DWORD value_;
};

// Removes an autorun value from the Run key of the roots in the mask.
class RunValueFix : public RegistryFix {
 public:
  static constexpr unsigned kLocalMachine = 1;
  static constexpr unsigned kCurrentUser = 2;

  // A `valueName` with backslashes names the value after the last one.
  RunValueFix(unsigned rootMask, std::string valueName) : rootMask_(rootMask), valueName_(std::move(valueName)) {}
  // The outcome for the last root handled (the current user's when its bit
  // is set); 0 for a mask without either root.
  int Apply() override;

 private:
  unsigned rootMask_;
  std::string valueName_;
};

class RegistryFixList {
 public:
  virtual ~RegistryFixList() = default;
  // Applies every entry from the front of the list, whatever their results; 1.
  virtual int ApplyAll();
  virtual void AddEntries() = 0;

  // Puts the entry at the front of the list; 0 for no entry.
  int Add(std::unique_ptr<RegistryFix> fix);
  void Clear() { fixes_.clear(); }

 private:
  std::forward_list<std::unique_ptr<RegistryFix>> fixes_;
};

// The product's fixed start-up changes.
class StartupRegistryFix : public RegistryFixList {
 public:
  void AddEntries() override;
};
