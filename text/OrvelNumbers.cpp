#include "OrvelNumbers.h"

#include "OutputBuffer.h"

#include <array>
#include <string_view>

namespace {

constexpr std::string_view kDigits = "0123456789abcdef";
constexpr int kNotADigit = -1;

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The value of a digit in `base` (after ASCII upper-casing), or kNotADigit.
int digitValue(char c, unsigned base)
{
    c = asciiUpper(c);
    int value = kNotADigit;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value >= 0 && static_cast<unsigned>(value) < base ? value : kNotADigit;
}

unsigned baseOf(TNumberKind kind)
{
    switch (kind) {
    case nkDecimal: return 10;
    case nkHex: return 16;
    case nkBinary: return 2;
    case nkOctal: return 8;
    }
    return 10;
}

// Digit sums wrap at 32 bits by design: full-width patterns such as FFFFFFFF read as negative.
std::int32_t wrappedValue(const std::string &text, unsigned base)
{
    std::uint32_t value = 0;
    for (const char c : text) {
        const int digit = digitValue(c, base);
        if (digit == kNotADigit)
            return 0;
        value = value * base + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

std::string digitsOf(std::int32_t value, unsigned bitsPerDigit)
{
    auto bits = static_cast<std::uint32_t>(value);
    if (bits == 0)
        return "0";
    std::array<char, 32> reversed{};
    std::size_t count = 0;
    const std::uint32_t mask = (1u << bitsPerDigit) - 1;
    while (bits != 0) {
        reversed[count++] = kDigits[bits & mask];
        bits >>= bitsPerDigit;
    }
    return std::string(reversed.rend() - static_cast<std::ptrdiff_t>(count), reversed.rend());
}

// A selection can be arbitrarily long; the error message quotes only its beginning.
std::string quotedForMessage(const std::string &text)
{
    constexpr std::size_t kMaxQuoted = 256;
    if (text.size() <= kMaxQuoted)
        return text;
    return text.substr(0, kMaxQuoted) + "...";
}

} // namespace

bool IsNumberText(const std::string &text, TNumberKind kind)
{
    const unsigned base = baseOf(kind);
    for (const char c : text)
        if (digitValue(c, base) == kNotADigit)
            return false;
    return true;
}

std::int32_t StrToInt(const std::string &text)
{
    std::uint32_t value = 0;
    bool valid = !text.empty();
    for (const char c : text) {
        if (c < '0' || c > '9' || value > (INT32_MAX - static_cast<std::uint32_t>(c - '0')) / 10) {
            valid = false;
            break;
        }
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (!valid)
        throw EConvertError("'" + quotedForMessage(text) + "' is not a valid integer value");
    return static_cast<std::int32_t>(value);
}

std::string DecToBin(std::int32_t value)
{
    return digitsOf(value, 1);
}

std::string DecToHex(std::int32_t value)
{
    return digitsOf(value, 4);
}

std::string DecToOct(std::int32_t value)
{
    return digitsOf(value, 3);
}

std::int32_t HexToDec(const std::string &text)
{
    return wrappedValue(text, 16);
}

std::int32_t BinToDec(const std::string &text)
{
    return wrappedValue(text, 2);
}

std::int32_t OctToDec(const std::string &text)
{
    return wrappedValue(text, 8);
}

std::string HexToBin(const std::string &text)
{
    std::string out = textmap::sizedOutput(text.size() * 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int digit = digitValue(text[i], 16);
        if (digit == kNotADigit)
            return "0";
        for (int bit = 0; bit < 4; ++bit)
            out[4 * i + static_cast<std::size_t>(bit)] = (digit >> (3 - bit)) & 1 ? '1' : '0';
    }
    return out;
}

std::string BinToHex(const std::string &text)
{
    if (text == "0")
        return "0";
    const std::size_t padding = (4 - text.size() % 4) % 4;
    std::string out = textmap::sizedOutput((text.size() + padding) / 4);
    unsigned group = 0;
    for (std::size_t i = 0; i < text.size() + padding; ++i) {
        const char c = i < padding ? '0' : text[i - padding];
        if (c != '0' && c != '1')
            return "0";
        group = group * 2 + static_cast<unsigned>(c - '0');
        if (i % 4 == 3) {
            out[i / 4] = kDigits[group];
            group = 0;
        }
    }
    return out;
}
