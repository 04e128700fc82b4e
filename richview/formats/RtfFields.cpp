#include "RtfFields.h"

#include <algorithm>

namespace {

// The next argument of a field instruction: a quoted text (with \\ and \" escapes) or a word.
QString takeFieldArgument(QStringView &rest)
{
    rest = rest.trimmed();
    QString arg;
    if (rest.startsWith(QLatin1Char('"'))) {
        qsizetype i = 1;
        for (; i < rest.size() && rest[i] != QLatin1Char('"'); ++i) {
            if (rest[i] == QLatin1Char('\\') && i + 1 < rest.size()
                && (rest[i + 1] == QLatin1Char('\\') || rest[i + 1] == QLatin1Char('"')))
                ++i;
            arg.append(rest[i]);
        }
        rest = rest.mid(std::min(i + 1, rest.size()));
        return arg;
    }
    qsizetype end = rest.indexOf(QLatin1Char(' '));
    if (end < 0)
        end = rest.size();
    arg = rest.left(end).toString();
    rest = rest.mid(end);
    return arg;
}

} // namespace

QString hyperlinkTarget(QStringView instruction)
{
    // HYPERLINK "target" [\l "anchor"] [\o "tip"] [\t "frame"] [\h] [\n] [\m]
    QStringView rest = instruction.trimmed();
    if (!rest.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    rest = rest.mid(9);
    QString target, anchor;
    while (!rest.trimmed().isEmpty()) {
        const bool quoted = rest.trimmed().startsWith(QLatin1Char('"'));
        const QString token = takeFieldArgument(rest);
        if (quoted) {
            if (target.isEmpty())
                target = token;
        } else if (token == QLatin1String("\\l")) {
            anchor = takeFieldArgument(rest);
        } else if (token == QLatin1String("\\o") || token == QLatin1String("\\t")) {
            takeFieldArgument(rest); // a tip or a frame name, not the target
        } else if (!token.startsWith(QLatin1Char('\\')) && target.isEmpty()) {
            target = token;
        }
    }
    if (!anchor.isEmpty())
        target += QLatin1Char('#') + anchor;
    return target;
}
