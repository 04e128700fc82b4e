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
#include <string>
#include <utility>
#include <vector>

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

const ElementName *byTag(const RvfTag &tag)
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

// A name that outlives the record it goes into (the parser's dictionary, or a constant).
QByteArray rawName(const xmlChar *name)
{
    const char *s = reinterpret_cast<const char *>(name);
    return QByteArray::fromRawData(s, qsizetype(std::strlen(s)));
}

// The parser hands an ampersand in an attribute on as "&#38;", for a tree builder to resolve; every
// other reference arrives resolved.
QString attributeValue(const xmlChar *begin, const xmlChar *end)
{
    const auto *value = reinterpret_cast<const char *>(begin);
    const qsizetype size = end - begin;
    if (!std::memchr(value, '&', std::size_t(size)))
        return QString::fromUtf8(value, size);
    QByteArray resolved(value, size);
    resolved.replace("&#38;", "&");
    return QString::fromUtf8(resolved);
}

// Turns the parser's events into records as elements close. An element of kElements right inside the
// root, a table or a cell becomes one record with its attributes (and its text); a table or a cell
// goes to the reader when it opens and has its closing record when it closes. Anything else, and
// whatever an element holds besides its text, is skipped: a newer version may add elements.
class XmlRecordReader
{
public:
    // Elements inside the root may nest this deep.
    static constexpr int kMaxDepth = 200;

    XmlRecordReader(xmlParserCtxtPtr ctxt, RvfDocumentReader &reader, qsizetype inputSize)
        : ctxt_(ctxt), reader_(reader), textLimit_(3 * std::size_t(inputSize))
    {
        ctxt->_private = this;
    }

    static xmlSAXHandler handler()
    {
        xmlSAXHandler h{};
        h.initialized = XML_SAX2_MAGIC;
        h.startElementNs = [](void *ctx, const xmlChar *name, const xmlChar *, const xmlChar *, int, const xmlChar **,
                              int attributeCount, int, const xmlChar **attributes) {
            self(ctx).open(name, attributeCount, attributes);
        };
        h.endElementNs = [](void *ctx, const xmlChar *, const xmlChar *, const xmlChar *) { self(ctx).close(); };
        h.characters = [](void *ctx, const xmlChar *text, int length) { self(ctx).gather(text, length); };
        h.cdataBlock = h.characters;
        h.ignorableWhitespace = h.characters;
        // A document type may declare entities that grow without bound or name other files.
        h.internalSubset = h.externalSubset = [](void *ctx, const xmlChar *, const xmlChar *, const xmlChar *) {
            self(ctx).stop(QStringLiteral("the file declares a document type; its entities are not read"));
        };
        return h;
    }

    // Empty while every record was taken.
    const QString &error() const { return error_; }

private:
    static XmlRecordReader &self(void *ctx)
    {
        return *static_cast<XmlRecordReader *>(static_cast<xmlParserCtxtPtr>(ctx)->_private);
    }

    void open(const xmlChar *name, int attributeCount, const xmlChar **attributes)
    {
        if (depth_ < 0) {
            if (!xmlStrEqual(name, x("rvxml")))
                return stop(QStringLiteral("the root element is not rvxml"));
            depth_ = 0;
            return;
        }
        if (++depth_ > kMaxDepth)
            return stop(QStringLiteral("elements are nested too deeply"));
        const ElementName *e = leaf_ || skipped_ ? nullptr : byElement(name);
        if (!e) {
            ++skipped_;
            return;
        }
        record_.clear(e->tag);
        record_.untyped = true;
        // Each attribute is five pointers: name, prefix, namespace, value, end of value.
        for (int i = 0; i < attributeCount; ++i, attributes += 5)
            record_.fields.push_back({rawName(attributes[0]),
                                      {RvfValue::String, 0, attributeValue(attributes[3], attributes[4]), {}}});
        if (e->opens) {
            if (hand(record_))
                containers_.push_back(e);
            return;
        }
        leaf_ = e;
        text_.clear();
    }

    void close()
    {
        if (depth_ == 0)
            return; // the root
        --depth_;
        if (skipped_) {
            --skipped_;
            return;
        }
        if (leaf_) {
            const ElementName *e = std::exchange(leaf_, nullptr);
            if (e->content && !addContent(*e))
                return;
            hand(record_);
            return;
        }
        const ElementName *e = containers_.back();
        containers_.pop_back();
        record_.clear(std::strcmp(e->tag, "TABL") == 0 ? "TEND" : "CEND");
        hand(record_);
    }

    void gather(const xmlChar *text, int length)
    {
        if (!leaf_ || !leaf_->content || skipped_)
            return;
        // Each byte of the file gives at most one UTF-16 unit, i.e. at most three bytes of UTF-8; more
        // would mean the parser expanded something.
        if (text_.size() + std::size_t(length) > textLimit_)
            return stop(QStringLiteral("an element holds more text than the file"));
        text_.append(reinterpret_cast<const char *>(text), std::size_t(length));
    }

    bool addContent(const ElementName &e)
    {
        RvfField f;
        f.name = rawName(x(e.content));
        if (std::strcmp(e.tag, "IMAG") == 0) { // the one byte string: a picture, in base64
            const QByteArray base64 = QByteArray::fromRawData(text_.data(), qsizetype(text_.size())).trimmed();
            auto decoded = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded) {
                stop(QStringLiteral("a picture's data is damaged"));
                return false;
            }
            f.value.type = RvfValue::Bytes;
            f.value.bytes = std::move(*decoded);
        } else {
            f.value.type = RvfValue::String;
            f.value.text = QString::fromUtf8(text_.data(), qsizetype(text_.size()));
        }
        record_.fields.push_back(std::move(f));
        return true;
    }

    bool hand(const RvfRecord &r)
    {
        QString why;
        if (reader_.record(r, &why))
            return true;
        stop(why);
        return false;
    }

    // Ends the parse: no event follows.
    void stop(const QString &why)
    {
        if (error_.isEmpty())
            error_ = why;
        xmlStopParser(ctxt_);
    }

    xmlParserCtxtPtr ctxt_;
    RvfDocumentReader &reader_;
    std::size_t textLimit_;
    QString error_;
    int depth_ = -1;                              // elements open inside the root; -1 until the root opens
    int skipped_ = 0;                             // elements open whose content is not read
    const ElementName *leaf_ = nullptr;           // the element being read, until it closes
    std::vector<const ElementName *> containers_; // the tables and cells open
    std::string text_;                            // the text of leaf_ so far, UTF-8
    RvfRecord record_;
};

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
    *ctxt->sax = XmlRecordReader::handler(); // events instead of a tree

    TRVFOptions o = options;
    for (TRVFOption on : {rvfoLoadBack, rvfoLoadLayout, rvfoLoadDocProperties})
        o.set(on, true);
    QTextCursor c(doc.textDocument());
    c.movePosition(QTextCursor::End);
    // Field names point into the parser's dictionary: the context outlives the reader.
    RvfDocumentReader reader(doc, c, o, RvfReadMode::Load);
    XmlRecordReader records(ctxt.get(), reader, bytes.size());
    const char *encoding = looksLikeUtf8(bytes) ? "UTF-8" : nullptr;
    // No callback builds a tree: the result is null.
    xmlFreeDoc(xmlCtxtReadMemory(ctxt.get(), bytes.constData(), int(bytes.size()), nullptr, encoding, flags));
    QString why = records.error();
    if (why.isEmpty() && !ctxt->wellFormed) {
        const xmlError *e = xmlCtxtGetLastError(ctxt.get());
        why = e && e->message ? QString::fromUtf8(e->message).trimmed() : QStringLiteral("the file is not well-formed");
    }
    if (why.isEmpty()) {
        RvfRecord end;
        end.clear("ENDF");
        reader.record(end, nullptr);
    }
    reader.finish(nullptr);
    return why.isEmpty() || fail(error, why);
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
