#pragma once
// Test texts as they should read in test listings: control and non-ASCII bytes as \xNN escapes.

#include <cstdio>
#include <string>
#include <string_view>

inline std::string printable(std::string_view bytes)
{
    std::string out = "\"";
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte >= 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += ch;
        }
    }
    return out + '"';
}
