#pragma once
// Splits RTF bytes into groups, control words, control symbols, \'xx bytes, text and \bin data.
// Nothing here trusts the input: names and numbers are bounded, \bin never reads past the end.

#include <cstddef>
#include <string_view>

struct RtfToken {
    enum Kind { End, GroupOpen, GroupClose, Word, Symbol, HexByte, Text, Binary };
    RtfToken(Kind k = End) : kind(k) {}
    Kind kind;
    std::string_view word; // control word name (letters only)
    bool hasParam = false;
    int param = 0;           // clamped to the int range
    char symbol = 0;         // control symbol character
    unsigned char byte = 0;  // \'xx
    std::string_view text;   // Text: bytes without CR/LF; Binary: the data
};

class RtfTokenizer
{
public:
    explicit RtfTokenizer(std::string_view input) : in_(input) {}

    RtfToken next();
    // True once a \bin claimed more bytes than the input holds or the input ended inside a
    // control word.
    bool truncated() const { return truncated_; }

private:
    RtfToken control();

    std::string_view in_;
    std::size_t pos_ = 0;
    bool truncated_ = false;
};
