#include "cli/Output.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace ondrel::cli {

void Print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
}
void PrintLine(const std::string& text) {
    std::printf("%s\n", text.c_str());
}

// to_chars is specified to give printf's text, without printf's cost.
std::string Real17(double value) {
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17).ptr;
    return std::string(buffer, end);
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value))
        throw std::runtime_error("a computed value is " + Real17(value) +
                                 ", which JSON cannot carry; nothing written");
    return Real17(value);
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (ch < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", ch);
                out += buffer;
            } else {
                out += static_cast<char>(ch);
            }
        }
    }
    return out + "\"";
}

} // namespace ondrel::cli
