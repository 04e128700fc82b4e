#include "OrvelLayout.h"

#include "ByteMap.h"
#include "Cp1251Literal.h"
#include "OutputBuffer.h"

namespace {

using textmap::ByteTable;

constexpr std::string_view kLatinKeys = "qwertyuiop[]asdfghjkl;'zxcvbnm,.QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>";
constexpr std::string_view kRussianKeys =
    cp1251::literal<"йцукенгшщзхъфывапролджэячсмитьбюЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮёЁ">();
static_assert(kLatinKeys.size() == 64 && kRussianKeys.size() == 66);

constexpr std::string_view kTranslitLetters =
    cp1251::literal<"абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ">();
constexpr std::array<std::string_view, 66> kTranslitForms = {
    "a", "b", "v", "g", "d", "e", "yo", "zh", "z", "i", "y", "k", "l", "m", "n", "o", "p",
    "r", "s", "t", "u", "f", "h", "c", "ch", "sh", "ch", "'", "y", "'", "e", "yu", "ya",
    "A", "B", "V", "G", "D", "E", "Yo", "Zh", "Z", "I", "Y", "K", "L", "M", "N", "O", "P",
    "R", "S", "T", "U", "F", "X", "C", "Ch", "Sh", "Ch", "'", "Y", "'", "E", "Yu", "Ya",
};
static_assert(kTranslitLetters.size() == kTranslitForms.size());

// Characters are looked up by their first position, hence the reverse walk: earlier positions win.
constexpr void mapKeys(ByteTable &table, std::string_view from, std::string_view to)
{
    for (std::size_t i = from.size(); i-- > 0;)
        table[static_cast<unsigned char>(from[i])] = static_cast<unsigned char>(to[i]);
}

constexpr ByteTable latToCyrTable()
{
    ByteTable table = textmap::identityTable();
    mapKeys(table, kLatinKeys, kRussianKeys.substr(0, kLatinKeys.size()));
    return table;
}

constexpr ByteTable cyrToLatTable()
{
    ByteTable table = textmap::identityTable();
    mapKeys(table, kRussianKeys.substr(0, kLatinKeys.size()), kLatinKeys);
    return table;
}

// The two key sets share no character, so the swap is the union of both directions.
constexpr ByteTable swapTable()
{
    ByteTable table = latToCyrTable();
    mapKeys(table, kRussianKeys.substr(0, kLatinKeys.size()), kLatinKeys);
    return table;
}

constexpr ByteTable kLatToCyr = latToCyrTable();
constexpr ByteTable kCyrToLat = cyrToLatTable();
constexpr ByteTable kSwap = swapTable();

// What Translit writes for each byte: the first matching pair's Latin form, else the byte itself.
struct TranslitOutput {
    unsigned char length = 1;
    char chars[2] = {};
};

constexpr std::array<TranslitOutput, 256> translitOutputs()
{
    std::array<TranslitOutput, 256> outputs{};
    for (unsigned b = 0; b < 256; ++b)
        outputs[b].chars[0] = static_cast<char>(b);
    for (std::size_t p = kTranslitLetters.size(); p-- > 0;) {
        TranslitOutput &o = outputs[static_cast<unsigned char>(kTranslitLetters[p])];
        o.length = static_cast<unsigned char>(kTranslitForms[p].size());
        o.chars[0] = kTranslitForms[p][0];
        o.chars[1] = o.length > 1 ? kTranslitForms[p][1] : '\0';
    }
    return outputs;
}

constexpr std::array<TranslitOutput, 256> kTranslitOutputs = translitOutputs();

// Detranslit's two lookups. Every Cyrillic letter's byte is above 7F, so 0 can mark "no match".
struct DetranslitTables {
    std::array<unsigned char, 256> single{};
    std::array<unsigned char, 0x10000> pair{}; // indexed by first character * 256 + second
};

constexpr DetranslitTables detranslitTables()
{
    DetranslitTables t{};
    // Walked backwards, so the earliest pair of a shared Latin form is written last and wins.
    for (std::size_t p = kTranslitLetters.size(); p-- > 0;) {
        const std::string_view form = kTranslitForms[p];
        const auto letter = static_cast<unsigned char>(kTranslitLetters[p]);
        if (form.size() == 1)
            t.single[static_cast<unsigned char>(form[0])] = letter;
        else
            t.pair[static_cast<unsigned char>(form[0]) * 256u + static_cast<unsigned char>(form[1])] = letter;
    }
    return t;
}

constexpr DetranslitTables kDetranslit = detranslitTables();

constexpr std::array<TTranslitPair, 66> translitTable()
{
    std::array<TTranslitPair, 66> table{};
    for (std::size_t p = 0; p < table.size(); ++p)
        table[p] = {kTranslitLetters[p], kTranslitForms[p]};
    return table;
}

} // namespace

constexpr std::array<TTranslitPair, 66> TranslitTable = translitTable();

std::string_view LatinKeys()
{
    return kLatinKeys;
}

std::string_view RussianKeys()
{
    return kRussianKeys;
}

std::string LatToCyr(const std::string &text)
{
    return textmap::mapBytes(text, kLatToCyr);
}

std::string CyrToLat(const std::string &text)
{
    return textmap::mapBytes(text, kCyrToLat);
}

std::string SwapLayout(const std::string &text)
{
    return textmap::mapBytes(text, kSwap);
}

std::string Translit(const std::string &text)
{
    std::size_t length = 0;
    for (const char c : text)
        length += kTranslitOutputs[static_cast<unsigned char>(c)].length;
    std::string out = textmap::sizedOutput(length);
    char *o = out.data();
    for (const char c : text) {
        const TranslitOutput &t = kTranslitOutputs[static_cast<unsigned char>(c)];
        *o++ = t.chars[0];
        if (t.length > 1)
            *o++ = t.chars[1];
    }
    return out;
}

std::string Detranslit(const std::string &text)
{
    const auto *in = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t n = text.size();
    std::string out = textmap::sizedOutput(n);
    char *o = out.data();
    std::size_t i = 0;
    while (i < n) {
        if (i + 1 < n) {
            const unsigned char letter = kDetranslit.pair[in[i] * 256u + in[i + 1]];
            if (letter != 0) {
                *o++ = static_cast<char>(letter);
                i += 2;
                continue;
            }
        }
        const unsigned char letter = kDetranslit.single[in[i]];
        *o++ = static_cast<char>(letter != 0 ? letter : in[i]);
        ++i;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}
