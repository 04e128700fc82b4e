#pragma once
// Russian texts that the transforms need as Windows-1251 bytes are written in UTF-8 in the source and
// turned into bytes by the compiler: cp1251::literal<"абв">() is a std::string_view of static bytes.
// Only ASCII, the 66 Russian letters and the numero sign are accepted — the characters whose bytes
// follow from the code page's regular layout — so any other character fails the build instead of
// silently becoming a wrong byte.

#include <array>
#include <cstddef>
#include <string_view>

namespace cp1251 {
namespace literal_detail {

template <std::size_t N>
struct Utf8Text {
    char bytes[N]{};
    consteval Utf8Text(const char (&text)[N])
    {
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = text[i];
    }
    static constexpr std::size_t length = N - 1; // without the terminating zero
};

consteval unsigned char byteOf(char32_t c)
{
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    if (c >= 0x0410 && c <= 0x044F) // А..я lie in one run from C0
        return static_cast<unsigned char>(c - 0x0410 + 0xC0);
    if (c == 0x0401)
        return 0xA8; // Ё
    if (c == 0x0451)
        return 0xB8; // ё
    if (c == 0x2116)
        return 0xB9; // №
    throw "character without a compile-time Windows-1251 byte";
}

consteval bool isContinuation(char b)
{
    return (static_cast<unsigned char>(b) & 0xC0) == 0x80;
}

template <Utf8Text text>
consteval std::size_t characterCount()
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.length; ++i)
        count += !isContinuation(text.bytes[i]);
    return count;
}

template <Utf8Text text>
consteval std::array<char, characterCount<text>()> encode()
{
    std::array<char, characterCount<text>()> out{};
    std::size_t o = 0;
    for (std::size_t i = 0; i < text.length;) {
        const auto lead = static_cast<unsigned char>(text.bytes[i]);
        const std::size_t extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 3;
        char32_t c = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
        if (i + extra >= text.length)
            throw "truncated UTF-8 sequence";
        for (std::size_t k = 1; k <= extra; ++k) {
            if (!isContinuation(text.bytes[i + k]))
                throw "malformed UTF-8 sequence";
            c = (c << 6) | (static_cast<unsigned char>(text.bytes[i + k]) & 0x3F);
        }
        out[o++] = static_cast<char>(byteOf(c));
        i += extra + 1;
    }
    return out;
}

template <Utf8Text text>
inline constexpr auto encoded = encode<text>();

} // namespace literal_detail

template <literal_detail::Utf8Text text>
consteval std::string_view literal()
{
    return {literal_detail::encoded<text>.data(), literal_detail::encoded<text>.size()};
}

} // namespace cp1251
