#include "CodeChanger.h"

#include "ByteMap.h"
#include "CodePageTables.h"
#include "Cp1251.h"
#include "OutputBuffer.h"

#include <array>
#include <exception>

namespace {

constexpr int kEncodings = 6;
constexpr char16_t kNoCharacter = 0xFFFD;
constexpr char16_t kNumeroSign = 0x2116;
constexpr unsigned char kLatinCapitalN = 'N';
constexpr int kLetterCount = 66;

// Letters are numbered А..я (0..63), then Ё (64) and ё (65); -1 for anything else.
int letterIndex(char16_t unit)
{
    if (unit >= 0x0410 && unit <= 0x044F)
        return unit - 0x0410;
    if (unit == 0x0401)
        return 64;
    if (unit == 0x0451)
        return 65;
    return -1;
}

// One 8-bit encoding: what each byte means, where each letter lives, and its numero byte.
struct EightBitEncoding {
    std::array<char16_t, 256> units{};
    std::array<unsigned char, kLetterCount> letterBytes{};
    int numeroByte = -1;
    std::array<unsigned char, 0x10000> unitBytes{}; // reverse of `units`; 0 means "not in the code page"

    void fillFrom(const std::array<char16_t, 128> &highHalf)
    {
        for (unsigned b = 0; b < 128; ++b)
            units[b] = static_cast<char16_t>(b);
        for (unsigned b = 0; b < 128; ++b)
            units[128 + b] = highHalf[b];
    }

    void index()
    {
        for (unsigned b = 0; b < 256; ++b) {
            const int letter = letterIndex(units[b]);
            if (letter >= 0)
                letterBytes[letter] = static_cast<unsigned char>(b);
            if (units[b] == kNumeroSign)
                numeroByte = static_cast<int>(b);
            if (b != 0 && units[b] != kNoCharacter)
                unitBytes[units[b]] = static_cast<unsigned char>(b);
        }
    }

    bool isLetterByte(unsigned char b) const { return letterIndex(units[b]) >= 0; }
};

struct Tables {
    std::array<EightBitEncoding, kEncodings> encodings; // ctUtf16's slot stays unused
    std::array<std::array<textmap::ByteTable, kEncodings>, kEncodings> eightBit{};

    Tables()
    {
        encodings[ctOem].fillFrom(codepages::kCp866High);
        for (unsigned b = 0; b < 256; ++b)
            encodings[ctWin1251].units[b] = cp1251::toUnicode(static_cast<unsigned char>(b));
        encodings[ctKoi8R].fillFrom(codepages::kKoi8RHigh);
        encodings[ctIso].fillFrom(codepages::kIso88595High);

        // The Mac table is code page 866 with а, б and Ё moved to FF, F0 and FC; the two places
        // а and б leave behind hold nothing, and it has no numero sign.
        EightBitEncoding &mac = encodings[ctMac];
        mac.fillFrom(codepages::kCp866High);
        mac.units[0xA0] = kNoCharacter;
        mac.units[0xA1] = kNoCharacter;
        mac.units[0xFF] = u'а';
        mac.units[0xF0] = u'б';
        mac.units[0xFC] = u'Ё';

        for (int e = 0; e < kEncodings; ++e)
            if (e != ctUtf16)
                encodings[e].index();

        // UTF-16 has no numero byte of its own in the 8-bit sense, but the sign still has to land
        // somewhere when a UTF-16 text goes to a table that lacks it.
        encodings[ctKoi8R].unitBytes[kNumeroSign] = kLatinCapitalN;
        encodings[ctMac].unitBytes[kNumeroSign] = 0xFC;

        for (int s = 0; s < kEncodings; ++s)
            for (int d = 0; d < kEncodings; ++d)
                if (s != d && s != ctUtf16 && d != ctUtf16)
                    eightBit[s][d] = buildEightBit(static_cast<TCodeTable>(s), static_cast<TCodeTable>(d));
    }

    textmap::ByteTable buildEightBit(TCodeTable source, TCodeTable dest) const
    {
        const EightBitEncoding &from = encodings[source];
        const EightBitEncoding &to = encodings[dest];
        textmap::ByteTable table = textmap::identityTable();
        for (int letter = 0; letter < kLetterCount; ++letter)
            table[from.letterBytes[letter]] = to.letterBytes[letter];

        const auto hasNumero = [](TCodeTable t) { return t == ctOem || t == ctWin1251 || t == ctIso; };
        if (hasNumero(source) && hasNumero(dest))
            table[from.numeroByte] = static_cast<unsigned char>(to.numeroByte);
        else if (hasNumero(source) && dest == ctKoi8R)
            table[from.numeroByte] = kLatinCapitalN;
        else if (source == ctKoi8R && (dest == ctOem || dest == ctIso))
            table[kLatinCapitalN] = static_cast<unsigned char>(to.numeroByte);
        return table;
    }
};

const Tables &tables()
{
    static const Tables instance;
    return instance;
}

std::string toUtf16(const std::string &text, const EightBitEncoding &from)
{
    std::string out = textmap::sizedOutput(2 + 2 * text.size());
    out[0] = '\xFF';
    out[1] = '\xFE';
    char *o = out.data() + 2;
    for (const char c : text) {
        const char16_t unit = from.units[static_cast<unsigned char>(c)];
        *o++ = static_cast<char>(unit & 0xFF);
        *o++ = static_cast<char>(unit >> 8);
    }
    return out;
}

// The first two bytes are taken for the byte order mark without looking at them.
bool fromUtf16(const std::string &text, const EightBitEncoding &to, std::string &out)
{
    if (text.size() < 2)
        return false;
    const std::size_t bodyBytes = text.size() - 2;
    if (bodyBytes == 0 || bodyBytes % 2 != 0)
        return false;
    out = textmap::sizedOutput(bodyBytes / 2);
    const auto *in = reinterpret_cast<const unsigned char *>(text.data()) + 2;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char16_t unit = static_cast<char16_t>(in[2 * i] | (in[2 * i + 1] << 8));
        const unsigned char b = to.unitBytes[unit];
        out[i] = (b != 0 || unit == 0) ? static_cast<char>(b) : '?';
    }
    return true;
}

} // namespace

void TCodeChanger::SetSourceCode(TCodeTable value)
{
    FSourceCode = value;
    FSourceSelector = selectorOf(value);
}

void TCodeChanger::SetDestCode(TCodeTable value)
{
    FDestCode = value;
    FDestSelector = selectorOf(value);
}

bool TCodeChanger::Change(std::string &text) const
{
    if (FSourceSelector == FDestSelector)
        return false;
    try {
        const Tables &t = tables();
        if (FSourceSelector == ctUtf16) {
            std::string converted;
            if (!fromUtf16(text, t.encodings[FDestSelector], converted))
                return false;
            text.swap(converted);
        } else if (FDestSelector == ctUtf16) {
            std::string converted = toUtf16(text, t.encodings[FSourceSelector]);
            text.swap(converted);
        } else {
            // A byte-for-byte table walk cannot stop half-way, so it may work on the text itself.
            textmap::mapBytesInPlace(text, t.eightBit[FSourceSelector][FDestSelector]);
        }
        return true;
    } catch (const std::exception &) {
        return false;
    }
}
