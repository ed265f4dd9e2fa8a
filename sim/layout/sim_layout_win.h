#pragma once
// Lays out simulated installations of the antivirus and the firewall: their
// registry keys V1.0 .. V10.0 under the local machine, "ProgramPath" values,
// program folders with marker files, the product data file ISKAL.DAT and the
// information library ZMTSKAL.DLL.
#include <windows.h>

#include <cstdint>
#include <string>

namespace sim {

enum class Product { kAntivirus, kFirewall };

struct Installation {
  Product product = Product::kAntivirus;
  int version = 4;  // registry version V<version>.0
  // Program folder, ending with a backslash; empty: the key gets no
  // "ProgramPath" value and no files are laid out.
  std::string folder;
  // The marker file: "zmt9x.exe" for antivirus V1.0, else ISKAL.DAT itself.
  bool marker = true;
  // ISKAL.DAT for antivirus V1.0, which needs it beside its marker.
  bool dataFile = true;
  // ZMTSKAL.DLL copied from `librarySource`.
  bool library = true;
  std::string librarySource;    // empty: ZMTSKAL.DLL beside the running program
  int32_t majorVersion = -1;    // -1: version << 16
  std::string caption;          // MainFormCaption; empty: no such item
};

// An installation of which only the registry key exists.
inline Installation KeyOnly(Product product, int version) {
  Installation installation;
  installation.product = product;
  installation.version = version;
  return installation;
}

std::string ProductKey(Product product, int version);

// Creates the key and, with a folder, the "ProgramPath" value, the folder and
// its files. False when any part could not be made.
bool LayOut(const Installation& installation);

// Sets a string value under `root`, creating the key.
bool SetRegistryString(HKEY root, const std::string& key, const std::string& name, const std::string& value);

// Writes ISKAL.DAT into `folder` with the two items the runner reads.
bool WriteProductData(const std::string& folder, int32_t majorVersion, const std::string& caption);

// Removes the keys of both products under both roots.
void RemoveProductKeys();

}  // namespace sim
