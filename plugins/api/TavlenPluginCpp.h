#pragma once
// The C++ side of the plug-in contract: helpers for the texts a plug-in exchanges with Tavlen and
// for keeping C++ exceptions on the plug-in's side of the boundary.
//
// Texts at the boundary are Windows-1251 bytes, while sources are written in UTF-8. The literal
// suffix _cp1251 converts at compile time, so Russian captions and messages read as Russian in the
// source and a character the code page lacks is a compile error, not a '?' at run time:
//
//     using namespace tavlen::literals;
//     constexpr auto kCaption = "Перевёртыш"_cp1251;      // std::array<char, N>, zero-terminated
//     const char *GetMenuCaption() { return kCaption.data(); }
//
// Objects defined like kCaption live in the library's constant data, so they stay valid until Tavlen
// unloads the library, as the contract requires of every returned text.
//
// No function-local statics here on purpose: g++ gives those unique binding, which would pin the
// library in memory and break the one-load-per-operation life of a plug-in.

#include "TavlenPlugin.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

static_assert("ё"[0] == '\xD1' && "ё"[1] == '\x91',
              "Plug-in sources must be compiled with the UTF-8 execution character set");

namespace tavlen {

namespace cp1251 {

// Bytes 0x80..0xFF of the code page; 0x98, which the code page leaves undefined, stands for U+0098
// so that every byte has a character and round trips unchanged.
inline constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr char16_t toUnicode(unsigned char byte)
{
    return byte < 0x80 ? char16_t(byte) : kHighHalf[byte - 0x80];
}

// The text as UTF-8, e.g. for file names and program arguments.
inline std::string toUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const char16_t u = toUnicode(static_cast<unsigned char>(c));
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

namespace detail {

inline constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence starting at text[i] and advances i past it; kInvalid (and i moved
// past the lead byte) for a broken or overlong sequence. Only the Basic Multilingual Plane is
// decoded: the code page has nothing beyond it.
constexpr char32_t nextCodePoint(std::string_view text, std::size_t &i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t extra = 0;
    char32_t cp = lead;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if (lead >= 0x80) {
        ++i;
        return kInvalid;
    }
    if (i + extra >= text.size()) {
        ++i;
        return kInvalid;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kInvalid;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    i += extra + 1;
    if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800))
        return kInvalid;
    return cp;
}

// The code page's byte for a character; false when it has none.
constexpr bool encode(char32_t cp, char &out)
{
    if (cp < 0x80) {
        out = static_cast<char>(cp);
        return true;
    }
    for (std::size_t k = 0; k < kHighHalf.size(); ++k) {
        if (kHighHalf[k] == cp) {
            out = static_cast<char>(0x80 + k);
            return true;
        }
    }
    return false;
}

// Throwing in a consteval function stops the compilation: that is how a bad literal is reported.
struct InvalidUtf8OrNotInCodePage {};

template <std::size_t N>
struct Utf8Literal {
    char bytes[N]{};
    consteval Utf8Literal(const char (&text)[N])
    {
        for (std::size_t k = 0; k < N; ++k)
            bytes[k] = text[k];
    }
    consteval std::string_view view() const { return {bytes, N - 1}; }
};

consteval std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count)
        nextCodePoint(text, i);
    return count;
}

} // namespace detail

// The UTF-8 text in the code page, e.g. a file name for the editor; nothing when the text is not
// valid UTF-8 or holds a character the code page lacks (a '?' would silently change its meaning).
inline std::optional<std::string> fromUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char byte = 0;
        if (!detail::encode(detail::nextCodePoint(text, i), byte))
            return std::nullopt;
        out += byte;
    }
    return out;
}

} // namespace cp1251

namespace literals {

// "текст"_cp1251: the Windows-1251 bytes of a UTF-8 literal, zero-terminated.
template <cp1251::detail::Utf8Literal S>
consteval auto operator""_cp1251()
{
    constexpr std::string_view text = S.view();
    std::array<char, cp1251::detail::characterCount(text) + 1> out{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!cp1251::detail::encode(cp1251::detail::nextCodePoint(text, i), out[at++]))
            throw cp1251::detail::InvalidUtf8OrNotInCodePage{};
    }
    return out;
}

} // namespace literals

// Stores a text into one of the contract's out-arguments. Tavlen only reads returned texts, so
// the pointer may refer to constant data.
inline void setText(char **slot, const char *text)
{
    if (slot)
        *slot = const_cast<char *>(text);
}

// The text an in/out argument refers to; a missing argument or a null pointer is the empty text.
inline std::string_view textOf(char *const *slot)
{
    return slot && *slot ? std::string_view(*slot) : std::string_view();
}

// The six information texts of GetPluginInfo, in the order Tavlen shows them.
struct PluginInfo {
    const char *name;
    const char *author;
    const char *version;
    const char *email;
    const char *homePage;
    const char *description;
};

inline int32_t writePluginInfo(const PluginInfo &info, char **Name, char **Author, char **Version,
                               char **EMail, char **HomePage, char **Description)
{
    setText(Name, info.name);
    setText(Author, info.author);
    setText(Version, info.version);
    setText(EMail, info.email);
    setText(HomePage, info.homePage);
    setText(Description, info.description);
    return TAVLEN_INFO_AVAILABLE;
}

// Runs a plug-in's work and keeps any C++ exception (out of memory, say) from crossing the C
// boundary: the operation then fails quietly and Tavlen changes nothing.
template <typename Work>
int32_t guarded(Work &&work) noexcept
{
    try {
        return work();
    } catch (...) {
        return TAVLEN_FAILED;
    }
}

} // namespace tavlen
