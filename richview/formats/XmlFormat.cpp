#include "XmlFormat.h"

#include "FileIO.h"
#include "RVDocument.h"
#include "RvfDocumentIO.h"

#include <QTextCursor>
#include <array>
#include <cstring>
#include <limits>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlwriter.h>
#include <memory>

namespace rvformats {
namespace {

// Record tags and the elements that stand for them. `content` names the field that is the element's
// text (base64 for byte strings) instead of an attribute; `opens` marks elements that hold others
// until their closing record.
struct ElementName {
    const char *tag;
    const char *element;
    const char *content;
    bool opens;
};
constexpr std::array<ElementName, 17> kElements = {{
    {"DOCP", "properties", nullptr, false},   {"BACK", "background", nullptr, false},
    {"LAYO", "layout", nullptr, false},       {"TSTY", "textstyle", nullptr, false},
    {"PSTY", "parastyle", nullptr, false},    {"PTAB", "tab", nullptr, false},
    {"LSTY", "liststyle", nullptr, false},    {"LLEV", "level", nullptr, false},
    {"IMAG", "image", "data", false},         {"PARA", "p", nullptr, false},
    {"TEXT", "t", "text", false},             {"PICT", "picture", nullptr, false},
    {"CTRL", "control", nullptr, false},      {"CHKP", "checkpoint", nullptr, false},
    {"ECHK", "endcheckpoint", nullptr, false}, {"TABL", "table", nullptr, true},
    {"CELL", "cell", nullptr, true},
}};

const ElementName *byTag(const QByteArray &tag)
{
    for (const ElementName &e : kElements)
        if (tag == e.tag)
            return &e;
    return nullptr;
}

const ElementName *byElement(const xmlChar *name)
{
    for (const ElementName &e : kElements)
        if (xmlStrEqual(name, reinterpret_cast<const xmlChar *>(e.element)))
            return &e;
    return nullptr;
}

// XML 1.0 cannot carry most control characters or lone surrogates; they become U+FFFD.
QByteArray xmlSafeUtf8(const QString &text)
{
    QString safe = text;
    for (qsizetype i = 0; i < safe.size(); ++i) {
        const QChar c = safe[i];
        if (c.isHighSurrogate() && i + 1 < safe.size() && safe[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        const char16_t u = c.unicode();
        if (c.isSurrogate() || (u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFE || u == 0xFFFF)
            safe[i] = QChar::ReplacementCharacter;
    }
    return safe.toUtf8();
}

const xmlChar *x(const char *s)
{
    return reinterpret_cast<const xmlChar *>(s);
}

class XmlEncoder : public RvfEncoder
{
public:
    XmlEncoder() : buffer_(xmlBufferCreate()), w_(xmlNewTextWriterMemory(buffer_, 0))
    {
        xmlTextWriterSetIndent(w_, 0);
        xmlTextWriterStartDocument(w_, nullptr, "windows-1251", nullptr);
        xmlTextWriterStartElement(w_, x("rvxml"));
        xmlTextWriterWriteAttribute(w_, x("version"), x("1.0"));
    }
    ~XmlEncoder() override
    {
        if (w_)
            xmlFreeTextWriter(w_);
        xmlBufferFree(buffer_);
    }

    void put(const RvfRecord &r) override
    {
        if (r.tag == "CEND" || r.tag == "TEND") {
            xmlTextWriterEndElement(w_);
            newline();
            return;
        }
        const ElementName *e = byTag(r.tag);
        if (!e)
            return; // the end record: the root's end says it
        xmlTextWriterStartElement(w_, x(e->element));
        const RvfField *content = nullptr;
        for (const RvfField &f : r.fields) {
            if (e->content && f.name == e->content) {
                content = &f;
                continue;
            }
            const QByteArray value = f.value.type == RvfValue::Int ? QByteArray::number(f.value.number)
                                                                   : xmlSafeUtf8(f.value.text);
            xmlTextWriterWriteAttribute(w_, x(f.name.constData()), x(value.constData()));
        }
        if (content && content->value.type == RvfValue::Bytes)
            xmlTextWriterWriteString(w_, x(content->value.bytes.toBase64().constData()));
        else if (content)
            xmlTextWriterWriteString(w_, x(xmlSafeUtf8(content->value.text).constData()));
        if (!e->opens) {
            xmlTextWriterEndElement(w_);
            if (r.tag != "TEXT")
                newline();
        } else {
            newline();
        }
    }

    QByteArray finish() override
    {
        xmlTextWriterEndElement(w_);
        xmlTextWriterEndDocument(w_);
        xmlFreeTextWriter(w_); // flushes into the buffer
        w_ = nullptr;
        return QByteArray(reinterpret_cast<const char *>(xmlBufferContent(buffer_)), xmlBufferLength(buffer_));
    }

private:
    // Line breaks between elements that hold no text keep the file readable without changing it.
    void newline() { xmlTextWriterWriteRaw(w_, x("\n")); }

    xmlBufferPtr buffer_;
    xmlTextWriterPtr w_;
};

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = QStringLiteral("Cannot read the XML document: %1").arg(why);
    return false;
}

// The text of a node list: one text node (all our writer makes) is read in place.
QString textOf(xmlNodePtr children, xmlDocPtr doc)
{
    if (!children)
        return {};
    if (!children->next && children->type == XML_TEXT_NODE)
        return QString::fromUtf8(reinterpret_cast<const char *>(children->content));
    xmlChar *value = xmlNodeListGetString(doc, children, 1);
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return text;
}

// Nodes handed to the reader as records, depth first.
bool walk(xmlNodePtr parent, RvfDocumentReader &reader, int depth, QString *error)
{
    if (depth > 200)
        return fail(error, QStringLiteral("elements are nested too deeply"));
    RvfRecord r;
    r.untyped = true;
    for (xmlNodePtr n = parent->children; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE)
            continue;
        const ElementName *e = byElement(n->name);
        if (!e)
            continue; // an element of a newer version
        r.tag = e->tag;
        r.fields.clear();
        for (xmlAttrPtr a = n->properties; a; a = a->next) {
            RvfField f;
            // The tree outlives the record, so names need no copy.
            f.name = QByteArray::fromRawData(reinterpret_cast<const char *>(a->name),
                                             qsizetype(std::strlen(reinterpret_cast<const char *>(a->name))));
            f.value.type = RvfValue::String;
            f.value.text = textOf(a->children, n->doc);
            r.fields.push_back(std::move(f));
        }
        if (e->content) {
            RvfField f;
            f.name = e->content;
            const QByteArray utf8 = textOf(n->children, n->doc).toUtf8();
            if (r.tag == "IMAG") {
                auto decoded = QByteArray::fromBase64Encoding(utf8.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
                if (!decoded)
                    return fail(error, QStringLiteral("a picture's data is damaged"));
                f.value.type = RvfValue::Bytes;
                f.value.bytes = std::move(*decoded);
            } else {
                f.value.type = RvfValue::String;
                f.value.text = QString::fromUtf8(utf8);
            }
            r.fields.push_back(std::move(f));
        }
        QString why;
        if (!reader.record(r, &why))
            return fail(error, why);
        if (e->opens) {
            if (!walk(n, reader, depth + 1, error))
                return false;
            RvfRecord close;
            close.clear(r.tag == "TABL" ? "TEND" : "CEND");
            if (!reader.record(close, &why))
                return fail(error, why);
        }
    }
    return true;
}

// True when the bytes after the XML declaration are UTF-8 with at least one non-ASCII character: a
// file a text editor saved again in UTF-8, keeping the declaration it found.
bool looksLikeUtf8(const QByteArray &bytes)
{
    bool nonAscii = false;
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        const int extra = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : -1;
        if (extra < 0 || i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        nonAscii = true;
        i += extra + 1;
    }
    return nonAscii;
}

void ignoreXmlMessage(void *, const char *, ...) {}
void ignoreStructuredMessage(void *, xmlErrorPtr) {}

} // namespace

QByteArray writeXml(const RVDocument &doc, const TRVFOptions &options)
{
    // The XML form always holds the styles, the background, the page settings and the pictures.
    TRVFOptions o = options;
    for (TRVFOption on : {rvfoSaveTextStyles, rvfoSaveParaStyles, rvfoSaveBack, rvfoSaveLayout, rvfoSavePicturesBody,
                          rvfoSaveControlsBody, rvfoSaveDocProperties})
        o.set(on, true);
    XmlEncoder out;
    writeRvfRecords(doc, o, out);
    return out.finish();
}

bool readXml(RVDocument &doc, const QByteArray &bytes, const TRVFOptions &options, QString *error)
{
    if (bytes.size() > std::numeric_limits<int>::max())
        return fail(error, QStringLiteral("the file is too large"));
    // A document type may declare entities that grow without bound; no form of ours has one.
    if (bytes.contains("<!DOCTYPE"))
        return fail(error, QStringLiteral("the file declares a document type; its entities are not read"));
    xmlSetGenericErrorFunc(nullptr, ignoreXmlMessage);
    xmlSetStructuredErrorFunc(nullptr, ignoreStructuredMessage);
    // No network, no external DTD, no entity substitution: a file names no other file and cannot grow.
    const int flags = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> ctxt(xmlNewParserCtxt(), xmlFreeParserCtxt);
    if (!ctxt)
        return fail(error, QStringLiteral("out of memory"));
    const char *encoding = looksLikeUtf8(bytes) ? "UTF-8" : nullptr;
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> xml(
        xmlCtxtReadMemory(ctxt.get(), bytes.constData(), int(bytes.size()), nullptr, encoding, flags), xmlFreeDoc);
    if (!xml) {
        const xmlError *e = xmlCtxtGetLastError(ctxt.get());
        return fail(error, e && e->message ? QString::fromUtf8(e->message).trimmed()
                                           : QStringLiteral("the file is not well-formed"));
    }
    if (xml->intSubset || xml->extSubset)
        return fail(error, QStringLiteral("the file declares a document type; its entities are not read"));
    xmlNodePtr root = xmlDocGetRootElement(xml.get());
    if (!root || !xmlStrEqual(root->name, x("rvxml")))
        return fail(error, QStringLiteral("the root element is not rvxml"));

    TRVFOptions o = options;
    for (TRVFOption on : {rvfoLoadBack, rvfoLoadLayout, rvfoLoadDocProperties})
        o.set(on, true);
    QTextCursor c(doc.textDocument());
    c.movePosition(QTextCursor::End);
    RvfDocumentReader reader(doc, c, o, RvfReadMode::Load);
    QString why;
    bool ok = walk(root, reader, 0, &why);
    if (ok) {
        RvfRecord end;
        end.clear("ENDF");
        reader.record(end, nullptr);
    }
    reader.finish(nullptr);
    if (!ok) {
        if (error)
            *error = why;
        return false;
    }
    return true;
}

bool loadXml(RVDocument &doc, const QString &path, int, int, const TRVFOptions &options, QString *error)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    if (bytes.isEmpty())
        return true; // a new document
    return readXml(doc, bytes, options, error);
}

bool saveXml(const RVDocument &doc, const QString &path, const TRVFOptions &options, QString *error)
{
    const QByteArray bytes = writeXml(doc, options);
    return writeWholeFile(path, {bytes.constData(), std::size_t(bytes.size())}, error);
}

} // namespace rvformats
