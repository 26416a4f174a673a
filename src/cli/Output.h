// What ondrel-cli writes: its standard output, and the JSON values it is made of (a small writer
// of its own: the key order, spacing and 17-digit numbers of its JSON are part of its output).
#pragma once

#include <string>

namespace ondrel::cli {

void Print(const std::string& text);
void PrintLine(const std::string& text);

// The value with 17 significant digits, as printf's %.17g writes it.
std::string Real17(double value);
// A JSON number; nan and infinity, which JSON cannot carry, throw std::runtime_error.
std::string JsonNumber(double value);
// A JSON string of UTF-8 text.
std::string JsonString(const std::string& text);

} // namespace ondrel::cli
