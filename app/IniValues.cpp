#include "IniValues.h"

#include "Cp1251.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <limits>

namespace inivalue {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<qint32> parseHex(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    quint64 value = 0;
    for (const char c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = value << 4 | quint64(d);
        if (value > std::numeric_limits<quint32>::max())
            return std::nullopt;
    }
    return qint32(quint32(value));
}

std::optional<qint32> parseDecimal(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    const qint64 limit = negative ? -qint64(std::numeric_limits<qint32>::min())
                                  : qint64(std::numeric_limits<qint32>::max());
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return qint32(negative ? -value : value);
}

// Lower-case partner of every byte of the code page.
const std::array<unsigned char, 256> &lowerCaseBytes()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (unsigned b = 0; b < t.size(); ++b) {
            const char16_t lower = QChar(cp1251::toUnicode(static_cast<unsigned char>(b))).toLower().unicode();
            bool representable = false;
            const char folded = cp1251::fromUnicode(lower, &representable);
            t[b] = representable ? static_cast<unsigned char>(folded) : static_cast<unsigned char>(b);
        }
        return t;
    }();
    return table;
}

} // namespace

std::optional<qint32> parseInteger(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return parseHex(text.substr(2));
    if (!text.empty() && text[0] == '$')
        return parseHex(text.substr(1));
    return parseDecimal(text);
}

std::optional<RVColor> parseColor(std::string_view text)
{
    const std::optional<qint32> value = parseInteger(text);
    if (!value)
        return std::nullopt;
    return RVColor(quint32(*value));
}

std::string integerText(qint32 value)
{
    return std::to_string(value);
}

std::string boolText(bool value)
{
    return value ? "1" : "0";
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto &lower = lowerCaseBytes();
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower[static_cast<unsigned char>(a[i])] != lower[static_cast<unsigned char>(b[i])])
            return false;
    }
    return true;
}

QString fromIniText(std::string_view bytes)
{
    return QString::fromStdU16String(cp1251::decode(bytes));
}

std::string toIniText(const QString &text)
{
    std::string bytes = cp1251::encode(text.toStdU16String());
    bytes.resize(std::min(bytes.size(), bytes.find_first_of("\r\n")));
    return bytes;
}

} // namespace inivalue
