#include "app/command_line.h"

#include <vector>

#include "discovery/installed_product.h"

namespace {

struct Argument {
  std::string written;  // as on the command line, quotes included
  std::string text;     // quotes removed
};

std::vector<Argument> SplitArguments(const std::string& line) {
  std::vector<Argument> arguments;
  Argument current;
  bool inArgument = false;
  bool quoted = false;
  // Byte by byte: no trail byte of code page 936 is a blank or a quote.
  for (char c : line) {
    if (!quoted && (c == ' ' || c == '\t')) {
      if (inArgument) arguments.push_back(std::move(current));
      current = Argument();
      inArgument = false;
      continue;
    }
    inArgument = true;
    current.written += c;
    if (c == '"')
      quoted = !quoted;
    else
      current.text += c;
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool SameName(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return i == a.size() && b[i] == '\0';
}

bool ParseVersion(const std::string& value, int32_t& version) {
  if (value.empty() || value.size() > 2) return false;
  int32_t number = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  if (number < kFirstScannedVersion || number > kLastScannedVersion) return false;
  version = number;
  return true;
}

bool TakePath(const std::string& value, std::string& target) {
  if (value.empty() || value.size() > kSwitchPathLimit || !target.empty()) return false;
  target = value;
  return true;
}

// Applies one switch (the text after '/'); false when it is not one the
// runner knows, or its value is wrong, or it was given before.
bool ApplySwitch(const std::string& body, RunOptions& options) {
  size_t equals = body.find('=');
  std::string name = body.substr(0, equals);
  bool hasValue = equals != std::string::npos;
  std::string value = hasValue ? body.substr(equals + 1) : std::string();

  if (SameName(name, "S") && !hasValue && !options.silent) return options.silent = true;
  if (name == "?" && !hasValue && !options.showUsage) return options.showUsage = true;
  if (SameName(name, "LIST") && !hasValue && !options.listOnly) return options.listOnly = true;
  if (SameName(name, "VERSION")) return options.version == 0 && ParseVersion(value, options.version);
  if (SameName(name, "PROGRAMDIR")) return TakePath(value, options.programDir);
  if (SameName(name, "REPORT")) return TakePath(value, options.reportPath);
  return false;
}

}  // namespace

bool ParseCommandLine(const std::string& text, RunOptions& options, std::string& fault) {
  fault.clear();
  // Every argument is read, so that /S after a wrong one still keeps the run silent.
  for (const Argument& argument : SplitArguments(text)) {
    bool applied = argument.text.size() >= 2 && argument.text[0] == '/' && ApplySwitch(argument.text.substr(1), options);
    if (!applied) fault += (fault.empty() ? "" : " ") + argument.written;
  }
  return fault.empty();
}
