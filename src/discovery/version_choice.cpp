#include "discovery/version_choice.h"

std::vector<std::string> VersionChoiceRows(const std::vector<InstalledProduct>& found,
                                           const std::function<std::string(unsigned)>& text) {
  std::vector<std::string> rows;
  for (const InstalledProduct& product : found) {
    if (product.usable) rows.push_back(DisplayName(product, text));
  }
  return rows;
}

int RowToMark(const std::vector<int>& selectedRows, int markedRow) {
  for (int row : selectedRows) {
    if (row != markedRow) return row;
  }
  return -1;
}
