#include "ForeignText.h"

#include "Cp1251.h"
#include "RVText.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace {

bool isForeign(QChar c)
{
    const char16_t u = c.unicode();
    if (u == 0x2029 || u == 0x2028 || rvtext::givesNoText(c))
        return false;
    bool representable = false;
    cp1251::fromUnicode(u, &representable);
    return !representable;
}

std::string bytesOf(QStringView text)
{
    return rvtext::to1251(text);
}

} // namespace

bool hasForeignCharacters(const QString &text)
{
    for (const QChar c : text)
        if (isForeign(c))
            return true;
    return false;
}

std::optional<QString> transformStretches(const QString &text, const ByteTransform &transform)
{
    QString out;
    out.reserve(text.size());
    qsizetype start = 0;
    auto flush = [&](qsizetype end) -> bool {
        if (end == start)
            return true;
        const std::optional<std::string> result = transform(bytesOf(QStringView(text).mid(start, end - start)));
        if (!result)
            return false;
        out += rvtext::paragraphsFrom1251(*result);
        return true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isForeign(text[i]))
            continue;
        if (!flush(i))
            return std::nullopt;
        out += text[i];
        start = i + 1;
    }
    if (!flush(text.size()))
        return std::nullopt;
    return out;
}

std::optional<QString> transformLines(const QString &text, const ByteTransform &transform)
{
    QString separated = text;
    separated.replace(QChar(0x2028), QChar(0x2029));
    const QStringList lines = separated.split(QChar(0x2029));

    QHash<QByteArray, QList<QString>> originals; // 8-bit form → the lines that have it, in order
    std::string joined;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::string bytes = bytesOf(lines[i]);
        originals[QByteArray::fromStdString(bytes)].append(lines[i]);
        joined += bytes;
        if (i + 1 < lines.size())
            joined += "\r\n";
    }
    const std::optional<std::string> result = transform(joined);
    if (!result)
        return std::nullopt;

    // The result's lines, each ended by a line break; map each back to an original line.
    const QString decoded = rvtext::paragraphsFrom1251(*result);
    QStringList outLines = decoded.split(QChar(0x2029));
    for (QString &line : outLines) {
        auto it = originals.find(QByteArray::fromStdString(bytesOf(line)));
        if (it != originals.end() && !it->isEmpty())
            line = it->takeFirst();
    }
    return outLines.join(QChar(0x2029));
}
