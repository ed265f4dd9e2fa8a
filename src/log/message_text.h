#pragma once
// Filling the "%s" places of a string-table text. Unlike printf, the texts put
// in are never read as formats, and a place without a text stays as written.
#include <initializer_list>
#include <string>

std::string FormatMessageText(const std::string& format, std::initializer_list<std::string> texts);
