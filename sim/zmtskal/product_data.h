#pragma once
// ISKAL.DAT of the product simulator: text lines "Name=Value" (CR LF or LF);
// blank lines and lines starting with ';' are ignored, the first '=' splits.
// Integer items are decimal or 0x-prefixed hexadecimal.
#include <cstdint>
#include <map>
#include <string>

namespace sim {

using ProductData = std::map<std::string, std::string>;

ProductData ParseProductData(const std::string& text);
std::string FormatProductData(const ProductData& items);
// The item as an integer; false when it is missing or not a number.
bool ProductDataInt(const ProductData& items, const std::string& name, int32_t& value);

}  // namespace sim
