#include "product_data.h"

#include <cstdlib>
#include <sstream>

namespace sim {

ProductData ParseProductData(const std::string& text) {
  ProductData items;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    items[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return items;
}

std::string FormatProductData(const ProductData& items) {
  std::string text = "; product data of the simulated installation\r\n";
  for (const auto& [name, value] : items) text += name + "=" + value + "\r\n";
  return text;
}

bool ProductDataInt(const ProductData& items, const std::string& name, int32_t& value) {
  auto item = items.find(name);
  if (item == items.end() || item->second.empty()) return false;
  char* end = nullptr;
  long long number = std::strtoll(item->second.c_str(), &end, 0);
  if (*end != '\0') return false;
  value = int32_t(number);
  return true;
}

}  // namespace sim
