#include "OrvelCase.h"

#include "ByteMap.h"
#include "Cp1251.h"
#include "Cp1251Literal.h"
#include "OutputBuffer.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstring>
#include <mutex>
#include <random>

namespace {

using textmap::ByteTable;

constexpr std::string_view kLowerLetters = cp1251::literal<"абвгдеёжзийклмнопрстуфхцчшщъыьэюяabcdefghijklmnopqrstuvwxyz">();
constexpr std::string_view kUpperLetters = cp1251::literal<"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯABCDEFGHIJKLMNOPQRSTUVWXYZ">();
static_assert(kLowerLetters.size() == 59 && kUpperLetters.size() == 59);

constexpr char kBlank = ' ';
constexpr char kFullStop = '.';

constexpr ByteTable pairTable(std::string_view from, std::string_view to)
{
    ByteTable table = textmap::identityTable();
    for (std::size_t i = 0; i < from.size(); ++i)
        table[static_cast<unsigned char>(from[i])] = static_cast<unsigned char>(to[i]);
    return table;
}

constexpr ByteTable kToUpper = pairTable(kLowerLetters, kUpperLetters);
constexpr ByteTable kToLower = pairTable(kUpperLetters, kLowerLetters);

constexpr ByteTable invertTable()
{
    ByteTable table = kToLower;
    for (char c : kLowerLetters)
        table[static_cast<unsigned char>(c)] = kToUpper[static_cast<unsigned char>(c)];
    return table;
}
constexpr ByteTable kInvert = invertTable();

// The code page's own upper-case mapping: a character goes up when its capital is in the code page
// too. Derived from Unicode rather than listed, so every Cyrillic letter of the page is covered.
ByteTable codePageUpperTable()
{
    ByteTable table = textmap::identityTable();
    for (unsigned b = 0; b < 256; ++b) {
        const char16_t unit = cp1251::toUnicode(static_cast<unsigned char>(b));
        const UChar32 upper = u_toupper(unit);
        if (upper == unit || upper > 0xFFFF)
            continue;
        bool representable = false;
        const char encoded = cp1251::fromUnicode(static_cast<char16_t>(upper), &representable);
        if (representable)
            table[b] = static_cast<unsigned char>(encoded);
    }
    return table;
}

const ByteTable &codePageUpper()
{
    static const ByteTable table = codePageUpperTable();
    return table;
}

// Two tables side by side, chosen per byte by a flag in bit 8 of the index: one lookup per byte and
// no branch, whatever the pattern of the flags.
using FlaggedTable = std::array<unsigned char, 512>;

constexpr FlaggedTable flaggedTable(const ByteTable &flagClear, const ByteTable &flagSet)
{
    FlaggedTable table{};
    for (unsigned b = 0; b < 256; ++b) {
        table[b] = flagClear[b];
        table[256 + b] = flagSet[b];
    }
    return table;
}

// Flag: the random bit of the position.
constexpr FlaggedTable kRandomCase = flaggedTable(kToUpper, kToLower);

// Eight bytes as one word, the first byte lowest.
std::uint64_t loadWord(const unsigned char *bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    return word;
}

// Bit 7 of every byte of `word` that equals `value`, and nothing else (exact, unlike the quick
// zero-byte tests that may also flag the byte after a match).
std::uint64_t bytesEqualTo(std::uint64_t word, unsigned char value)
{
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t differences = word ^ (0x0101010101010101ULL * value);
    return ~(((differences & kLow7) + kLow7) | differences | kLow7);
}

// The program's single pseudo-random source, seeded from the clock on first use.
struct RandomSource {
    std::mutex lock;
    std::mt19937_64 engine{static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count())};
};

RandomSource &randomSource()
{
    static RandomSource source;
    return source;
}

} // namespace

std::string_view LowerLetters()
{
    return kLowerLetters;
}

std::string_view UpperLetters()
{
    return kUpperLetters;
}

std::string UpperCaseText(const std::string &text)
{
    return textmap::mapBytes(text, kToUpper);
}

std::string LowerCaseText(const std::string &text)
{
    return textmap::mapBytes(text, kToLower);
}

std::string InvertCaseText(const std::string &text)
{
    return textmap::mapBytes(text, kInvert);
}

void SeedTextRandom(std::uint64_t seed)
{
    RandomSource &source = randomSource();
    const std::lock_guard guard(source.lock);
    source.engine.seed(seed);
}

std::string RandomCaseText(const std::string &text)
{
    static_assert(textmap::kChunkBytes % 64 == 0);
    RandomSource &source = randomSource();
    const std::lock_guard guard(source.lock);
    // One bit per position: 0 sends a lower-case letter up, 1 sends an upper-case letter down.
    return textmap::sameLengthResult(text, [&source](const unsigned char *in, std::size_t begin, std::size_t length, unsigned char *chunk) {
        for (std::size_t word = 0; word < length; word += 64) {
            std::uint64_t bits = source.engine();
            const std::size_t count = std::min<std::size_t>(64, length - word);
            const unsigned char *from = in + begin + word;
            unsigned char *to = chunk + word;
            std::size_t k = 0;
            // As in the plain table walk, eight lookups are read before any of them is stored.
            for (; k + 8 <= count; k += 8, bits >>= 8) {
                const auto at = [&](unsigned j) { return kRandomCase[(((bits >> j) & 1) << 8) | from[k + j]]; };
                const unsigned char b0 = at(0), b1 = at(1), b2 = at(2), b3 = at(3), b4 = at(4), b5 = at(5),
                                    b6 = at(6), b7 = at(7);
                to[k] = b0;
                to[k + 1] = b1;
                to[k + 2] = b2;
                to[k + 3] = b3;
                to[k + 4] = b4;
                to[k + 5] = b5;
                to[k + 6] = b6;
                to[k + 7] = b7;
            }
            for (; k < count; ++k, bits >>= 1)
                to[k] = kRandomCase[((bits & 1) << 8) | from[k]];
        }
    });
}

std::string FirstUpText(const std::string &text)
{
    std::string out = LowerCaseText(text);
    if (!out.empty())
        out[0] = static_cast<char>(kToUpper[static_cast<unsigned char>(text[0])]);
    return out;
}

std::string PhraseFirstUpText(const std::string &text)
{
    std::string out = textmap::copiedOutput(text);
    const ByteTable &upper = codePageUpper();
    const auto raise = [&](std::size_t pos) { out[pos] = static_cast<char>(upper[static_cast<unsigned char>(out[pos])]); };
    const std::size_t n = out.size();
    std::size_t i = out.find_first_not_of(kBlank);
    if (i == std::string::npos)
        return out;
    raise(i);
    while (i < n) {
        const void *stop = std::memchr(out.data() + i, kFullStop, n - i);
        if (!stop)
            break;
        const std::size_t next = out.find_first_not_of(kBlank, static_cast<const char *>(stop) - out.data() + 1);
        if (next == std::string::npos)
            break; // only blanks, or nothing, follow the last full stop
        raise(next);
        // The character just raised is never itself read as a phrase end.
        i = next + 1;
    }
    return out;
}

// Blanks never change, so raising every character that follows a blank (or starts the text) is the
// same as raising each word's first character. Word starts are found eight bytes at a time and only
// they are looked up.
std::string WordFirstUpText(const std::string &text)
{
    const ByteTable &upper = codePageUpper();
    return textmap::sameLengthResult(text, [&upper](const unsigned char *in, std::size_t begin, std::size_t length, unsigned char *chunk) {
        std::memcpy(chunk, in + begin, length);
        std::uint64_t afterBlank = begin == 0 || in[begin - 1] == kBlank;
        std::size_t k = 0;
        for (; k + 8 <= length; k += 8) {
            const std::uint64_t blanks = bytesEqualTo(loadWord(in + begin + k), kBlank);
            std::uint64_t starts = (blanks << 8) | (afterBlank << 7);
            afterBlank = blanks >> 63;
            for (; starts != 0; starts &= starts - 1) {
                const std::size_t at = k + static_cast<std::size_t>(std::countr_zero(starts)) / 8;
                chunk[at] = upper[chunk[at]];
            }
        }
        for (; k < length; ++k) {
            if (afterBlank)
                chunk[k] = upper[chunk[k]];
            afterBlank = in[begin + k] == kBlank;
        }
    });
}
