#include "platform/registry_reader_win.h"

#include "platform/registry_win.h"

namespace {

class OpenKeyValues : public RegistryValues {
 public:
  OpenKeyValues(HKEY root, const std::string& path) : key_(root, path, KEY_READ) {}
  bool IsOpen() const { return key_.IsOpen(); }

  bool ReadNumber(const std::string& name, uint32_t& value) const override {
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size) !=
        ERROR_SUCCESS)
      return false;
    value = number;
    return true;
  }

 private:
  RegistryKey key_;
};

}  // namespace

std::unique_ptr<RegistryValues> WindowsRegistryReader::OpenMachineThenUser(const std::string& keyPath) const {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    auto values = std::make_unique<OpenKeyValues>(root, keyPath);
    if (values->IsOpen()) return values;
  }
  return nullptr;
}
