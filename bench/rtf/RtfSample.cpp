#include "RtfSample.h"

#include <cstdio>

namespace {

// Windows-1251 words and a little English.
const char *const kWords[] = {"\xf1\xfa\xe5\xf8\xfc", "\xe6\xe5", "\xe5\xf9\xb8", "\xfd\xf2\xe8\xf5",
                              "\xec\xff\xe3\xea\xe8\xf5", "\xf4\xf0\xe0\xed\xf6\xf3\xe7\xf1\xea\xe8\xf5",
                              "\xe1\xf3\xeb\xee\xea", "\xe4\xe0", "\xe2\xfb\xef\xe5\xe9", "\xf7\xe0\xfe",
                              "\xf8\xe8\xf0\xee\xea\xe0\xff", "\xfd\xeb\xe5\xea\xf2\xf0\xe8\xf4\xe8\xea\xe0\xf6\xe8\xff",
                              "\xfe\xe6\xed\xfb\xf5", "\xe3\xf3\xe1\xe5\xf0\xed\xe8\xe9", "editor", "text"};

void appendWord(std::string &out, const char *word)
{
    static const char hex[] = "0123456789abcdef";
    for (const char *p = word; *p; ++p) {
        const auto b = static_cast<unsigned char>(*p);
        if (b < 0x80) {
            out += char(b);
        } else {
            out += "\\'";
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
}

} // namespace

std::string makeRtfSample(std::size_t bytes)
{
    std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}"
                      "{\\f1\\fswiss\\fcharset204 Arial;}}{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}\r\n";
    out.reserve(bytes + 4096);
    unsigned seed = 7;
    auto next = [&seed] {
        seed = seed * 1103515245 + 12345;
        return (seed >> 16) & 0x7FFF;
    };
    while (out.size() < bytes) {
        out += "\\pard\\plain\\qj\\fi300\\sa120\\f0\\fs24 ";
        const unsigned words = 60 + next() % 80;
        for (unsigned w = 0; w < words; ++w) {
            const unsigned kind = next() % 20;
            const char *word = kWords[next() % (sizeof kWords / sizeof *kWords)];
            if (kind == 0) {
                out += "{\\b ";
                appendWord(out, word);
                out += "}";
            } else if (kind == 1) {
                out += "{\\i ";
                appendWord(out, word);
                out += "}";
            } else if (kind == 2) {
                out += "{\\cf2\\f1 ";
                appendWord(out, word);
                out += "}";
            } else {
                appendWord(out, word);
            }
            out += w + 1 < words ? " " : ".";
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}
