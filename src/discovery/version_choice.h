#pragma once
// The list of the version choice dialog behaves like a column of radio
// buttons: one row carries the mark, and a click or Space moves it to the
// row the list has selected.
#include <functional>
#include <string>
#include <vector>

#include "discovery/installed_product.h"

// Row pictures of the list's image list.
constexpr int kUnmarkedImage = 0;
constexpr int kMarkedImage = 1;

// The rows listed: the display names of the usable installations, in scan
// order. The first row starts marked.
std::vector<std::string> VersionChoiceRows(const std::vector<InstalledProduct>& found,
                                           const std::function<std::string(unsigned)>& text);

// The row that takes the mark: the first selected row, from the top, that is
// not the marked one; -1 when there is none. `selectedRows` in ascending order.
int RowToMark(const std::vector<int>& selectedRows, int markedRow);
