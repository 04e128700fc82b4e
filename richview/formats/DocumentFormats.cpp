#include "DocumentFormats.h"

#include "RtfFormat.h"
#include "RvfFormat.h"
#include "TextFormats.h"
#include "XmlFormat.h"

#include <array>

namespace rvformats {
namespace {

using LoadFn = bool (*)(RVDocument &, const QString &, int textStyle, int paraStyle, const TRVFOptions &, QString *);
using SaveFn = bool (*)(const RVDocument &, const QString &, const TRVFOptions &, QString *);

// Formats that have no options take the table's signature through these.
template <bool (*Load)(RVDocument &, const QString &, int, int, QString *)>
bool withoutOptions(RVDocument &doc, const QString &path, int textStyle, int paraStyle, const TRVFOptions &,
                    QString *error)
{
    return Load(doc, path, textStyle, paraStyle, error);
}

template <bool (*Save)(const RVDocument &, const QString &, QString *)>
bool withoutOptions(const RVDocument &doc, const QString &path, const TRVFOptions &, QString *error)
{
    return Save(doc, path, error);
}

struct FormatEntry {
    DocFormat format;
    const char *name;
    LoadFn load;
    SaveFn save;
};

// Indexed by DocFormat.
constexpr std::array<FormatEntry, 5> kFormats = {{
    {DocFormat::Rtf, "RTF", withoutOptions<loadRtf>, withoutOptions<saveRtf>},
    {DocFormat::Xml, "XML", loadXml, saveXml},
    {DocFormat::Rvf, "RVF", loadRvf, saveRvf},
    {DocFormat::Text, "text", withoutOptions<loadText>, withoutOptions<saveText>},
    {DocFormat::UnicodeText, "Unicode text", withoutOptions<loadUnicodeText>, withoutOptions<saveUnicodeText>},
}};

const FormatEntry &entry(DocFormat f)
{
    return kFormats[std::size_t(f)];
}

bool unsupported(DocFormat f, const char *what, QString *error)
{
    if (error)
        *error = QStringLiteral("%1 files cannot be %2 by this version").arg(QLatin1String(entry(f).name),
                                                                             QLatin1String(what));
    return false;
}

} // namespace

QString extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    return dot > slash ? name.mid(dot) : QString();
}

DocFormat formatByExtension(const QString &name, bool testUtf16)
{
    const QString ext = extensionOf(name);
    if (ext == QLatin1String(".xml"))
        return DocFormat::Xml;
    if (ext == QLatin1String(".rvf"))
        return DocFormat::Rvf;
    if (ext == QLatin1String(".rtf"))
        return DocFormat::Rtf;
    if (ext == QLatin1String(".txt") && testUtf16 && isUtf16File(name))
        return DocFormat::UnicodeText;
    return DocFormat::Text;
}

QString formatName(DocFormat format)
{
    return QLatin1String(entry(format).name);
}

bool loadDocument(RVDocument &doc, const QString &path, DocFormat format, int textStyle, int paraStyle,
                  QString *error, const TRVFOptions &options)
{
    const FormatEntry &e = entry(format);
    return e.load ? e.load(doc, path, textStyle, paraStyle, options, error) : unsupported(format, "read", error);
}

bool saveDocument(const RVDocument &doc, const QString &path, DocFormat format, QString *error,
                  const TRVFOptions &options)
{
    const FormatEntry &e = entry(format);
    return e.save ? e.save(doc, path, options, error) : unsupported(format, "written", error);
}

} // namespace rvformats
