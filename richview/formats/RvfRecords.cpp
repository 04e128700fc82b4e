#include "RvfRecords.h"

#include <QList>
#include <QtEndian>
#include <cstring>

namespace {

constexpr char kBinaryMagic[] = "TVRVF\x1A";           // 6 bytes, then the version: u16 major, u16 minor
constexpr char kTextMagic[] = "TAVLEN-RVF-TEXT ";      // then "major.minor" and a line feed
constexpr std::size_t kBinaryMagicSize = sizeof(kBinaryMagic) - 1;
constexpr std::size_t kTextMagicSize = sizeof(kTextMagic) - 1;

void put16(QByteArray &out, quint16 v)
{
    const char b[2] = {char(v & 0xFF), char(v >> 8)};
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    out.append(b, 4);
}

void put64(QByteArray &out, quint64 v)
{
    put32(out, quint32(v & 0xFFFFFFFF));
    put32(out, quint32(v >> 32));
}

// Reads little-endian values from a bounded range; every read checks what is left.
class Reader
{
public:
    Reader(const char *p, std::size_t n) : p_(reinterpret_cast<const uchar *>(p)), n_(n) {}
    std::size_t left() const { return n_ - at_; }
    bool u8(quint8 &v) { return take(1) && (v = p_[at_ - 1], true); }
    bool u16(quint16 &v)
    {
        if (!take(2))
            return false;
        v = quint16(p_[at_ - 2] | p_[at_ - 1] << 8);
        return true;
    }
    bool u32(quint32 &v)
    {
        if (!take(4))
            return false;
        const uchar *b = p_ + at_ - 4;
        v = quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
        return true;
    }
    bool u64(quint64 &v)
    {
        quint32 lo, hi;
        if (!u32(lo) || !u32(hi))
            return false;
        v = quint64(hi) << 32 | lo;
        return true;
    }
    bool span(std::size_t n, const char *&out)
    {
        if (!take(n))
            return false;
        out = reinterpret_cast<const char *>(p_ + at_ - n);
        return true;
    }

private:
    bool take(std::size_t n)
    {
        if (n > left())
            return false;
        at_ += n;
        return true;
    }
    const uchar *p_;
    std::size_t n_;
    std::size_t at_ = 0;
};

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

bool checkVersion(int vMajor, int vMinor, QString *error)
{
    if (vMajor != kRvfVersionMajor)
        return fail(error, QStringLiteral("unsupported native format version %1.%2").arg(vMajor).arg(vMinor));
    return true;
}

bool decodeBinary(const QByteArray &bytes, const RvfRecordSink &sink, QString *error)
{
    Reader r(bytes.constData() + kBinaryMagicSize, std::size_t(bytes.size()) - kBinaryMagicSize);
    quint16 vMajor, vMinor;
    if (!r.u16(vMajor) || !r.u16(vMinor))
        return fail(error, QStringLiteral("the file is truncated"));
    if (!checkVersion(vMajor, vMinor, error))
        return false;
    RvfRecord record;
    while (r.left() > 0) {
        const char *tag, *payload;
        quint32 length;
        if (!r.span(4, tag) || !r.u32(length) || !r.span(length, payload))
            return fail(error, QStringLiteral("the file is truncated or a record's length points past its end"));
        Reader f(payload, length);
        quint32 count;
        if (!f.u32(count) || count > length) // every field takes at least one byte
            return fail(error, QStringLiteral("a record's field count is out of range"));
        std::memcpy(record.tag.letters, tag, 4);
        record.fields.resize(count);
        for (RvfField &field : record.fields) {
            field.name.clear();
            quint8 type;
            if (!f.u8(type))
                return fail(error, QStringLiteral("a record is truncated"));
            field.value.type = RvfValue::Type(type);
            if (type == RvfValue::Int) {
                quint64 v;
                if (!f.u64(v))
                    return fail(error, QStringLiteral("a record is truncated"));
                field.value.number = qint64(v);
                continue;
            }
            quint32 n;
            const char *data;
            if ((type != RvfValue::String && type != RvfValue::Bytes) || !f.u32(n) || !f.span(n, data))
                return fail(error, QStringLiteral("a field is damaged or its length points past its record"));
            if (type == RvfValue::String) {
                if (n % 2)
                    return fail(error, QStringLiteral("a text field has an odd number of bytes"));
                field.value.text = QString(qsizetype(n / 2), Qt::Uninitialized);
                qFromLittleEndian<quint16>(data, qsizetype(n / 2), field.value.text.data());
            } else
                field.value.bytes = QByteArray(data, qsizetype(n));
        }
        if (!sink(record, error))
            return false;
    }
    return true;
}

void putQuoted(QByteArray &out, const QString &text)
{
    out.append('"');
    const QByteArray utf8 = text.toUtf8();
    const char *p = utf8.constData(), *end = p + utf8.size();
    while (p < end) {
        // Runs that need no escape go in whole.
        const char *run = p;
        while (p < end && uchar(*p) >= 0x20 && *p != '"' && *p != '\\')
            ++p;
        out.append(run, p - run);
        if (p == end)
            break;
        const uchar c = uchar(*p++);
        switch (c) {
        case '"': out.append("\\\"", 2); break;
        case '\\': out.append("\\\\", 2); break;
        case '\n': out.append("\\n", 2); break;
        case '\r': out.append("\\r", 2); break;
        case '\t': out.append("\\t", 2); break;
        default: {
            static const char hex[] = "0123456789ABCDEF";
            const char esc[4] = {'\\', 'x', hex[c >> 4], hex[c & 15]};
            out.append(esc, 4);
        }
        }
    }
    out.append('"');
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// One line of the text form: TAG name=value name=value ...
bool parseLine(const char *p, const char *end, RvfRecord &record, QString *error)
{
    auto bad = [&] { return fail(error, QStringLiteral("a line of the text form is damaged")); };
    if (end - p < 4)
        return bad();
    std::memcpy(record.tag.letters, p, 4);
    record.fields.clear();
    p += 4;
    while (p < end) {
        if (*p++ != ' ')
            return bad();
        const char *nameStart = p;
        while (p < end && *p != '=')
            ++p;
        if (p == end || p == nameStart)
            return bad();
        RvfField field;
        // The record lives only while the sink looks at it, and the file's bytes outlive that.
        field.name = QByteArray::fromRawData(nameStart, p - nameStart);
        ++p;
        if (p < end && *p == '"') {
            ++p;
            // Most texts hold no escape: they are read in one piece.
            const char *text = p;
            while (p < end && *p != '"' && *p != '\\')
                ++p;
            if (p < end && *p == '"') {
                field.value.type = RvfValue::String;
                field.value.text = QString::fromUtf8(text, p - text);
                ++p;
                record.fields.push_back(std::move(field));
                continue;
            }
            p = text;
            QByteArray utf8;
            for (;;) {
                if (p == end)
                    return bad();
                const char c = *p++;
                if (c == '"')
                    break;
                if (c != '\\') {
                    utf8.append(c);
                    continue;
                }
                if (p == end)
                    return bad();
                const char e = *p++;
                switch (e) {
                case 'n': utf8.append('\n'); break;
                case 'r': utf8.append('\r'); break;
                case 't': utf8.append('\t'); break;
                case '"':
                case '\\': utf8.append(e); break;
                case 'x': {
                    if (end - p < 2 || hexDigit(p[0]) < 0 || hexDigit(p[1]) < 0)
                        return bad();
                    utf8.append(char(hexDigit(p[0]) * 16 + hexDigit(p[1])));
                    p += 2;
                    break;
                }
                default: return bad();
                }
            }
            field.value.type = RvfValue::String;
            field.value.text = QString::fromUtf8(utf8);
        } else if (end - p >= 4 && std::memcmp(p, "b64:", 4) == 0) {
            p += 4;
            const char *start = p;
            while (p < end && *p != ' ')
                ++p;
            auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromRawData(start, p - start),
                                                          QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded)
                return bad();
            field.value.type = RvfValue::Bytes;
            field.value.bytes = std::move(*decoded);
        } else {
            const char *start = p;
            while (p < end && *p != ' ')
                ++p;
            bool ok = false;
            field.value.type = RvfValue::Int;
            field.value.number = QByteArray::fromRawData(start, p - start).toLongLong(&ok);
            if (!ok)
                return bad();
        }
        record.fields.push_back(std::move(field));
    }
    return true;
}

bool decodeText(const QByteArray &bytes, const RvfRecordSink &sink, QString *error)
{
    const char *p = bytes.constData() + kTextMagicSize;
    const char *end = bytes.constData() + bytes.size();
    const char *eol = static_cast<const char *>(std::memchr(p, '\n', std::size_t(end - p)));
    if (!eol)
        return fail(error, QStringLiteral("the file is truncated"));
    const QList<QByteArray> version = QByteArray(p, eol - p).trimmed().split('.');
    bool okMajor = false, okMinor = false;
    const int vMajor = version.value(0).toInt(&okMajor), vMinor = version.value(1).toInt(&okMinor);
    if (version.size() != 2 || !okMajor || !okMinor)
        return fail(error, QStringLiteral("the version line is damaged"));
    if (!checkVersion(vMajor, vMinor, error))
        return false;
    RvfRecord record;
    for (p = eol + 1; p < end; p = eol + 1) {
        eol = static_cast<const char *>(std::memchr(p, '\n', std::size_t(end - p)));
        if (!eol)
            eol = end;
        // A text editor may have saved the file with CR LF or left blanks at line ends.
        const char *lineEnd = eol;
        while (lineEnd > p && (lineEnd[-1] == '\r' || lineEnd[-1] == ' ' || lineEnd[-1] == '\t'))
            --lineEnd;
        if (lineEnd == p)
            continue;
        if (!parseLine(p, lineEnd, record, error) || !sink(record, error))
            return false;
    }
    return true;
}

} // namespace

bool rvfNumber(const RvfValue &value, qint64 &out)
{
    if (value.type == RvfValue::Int) {
        out = value.number;
        return true;
    }
    if (value.type != RvfValue::String)
        return false;
    bool ok = false;
    const qint64 n = value.text.toLongLong(&ok);
    if (ok)
        out = n;
    return ok;
}

const RvfValue *RvfRecord::find(std::size_t index, const char *name) const
{
    if (!fields.empty() && !fields.front().name.isEmpty()) {
        for (const RvfField &f : fields)
            if (f.name == name)
                return &f.value;
        return nullptr;
    }
    return index < fields.size() ? &fields[index].value : nullptr;
}

RvfBinaryEncoder::RvfBinaryEncoder()
{
    out_.append(kBinaryMagic, kBinaryMagicSize);
    put16(out_, kRvfVersionMajor);
    put16(out_, kRvfVersionMinor);
}

void RvfBinaryEncoder::put(const RvfRecord &record)
{
    out_.append(record.tag.letters, 4);
    const qsizetype lengthAt = out_.size();
    put32(out_, 0);
    put32(out_, quint32(record.fields.size()));
    for (const RvfField &f : record.fields) {
        out_.append(char(f.value.type));
        switch (f.value.type) {
        case RvfValue::Int: put64(out_, quint64(f.value.number)); break;
        case RvfValue::String: {
            const qsizetype units = f.value.text.size();
            put32(out_, quint32(units * 2));
            const qsizetype at = out_.size();
            out_.resize(at + units * 2);
            qToLittleEndian<quint16>(f.value.text.utf16(), units, out_.data() + at);
            break;
        }
        case RvfValue::Bytes:
            put32(out_, quint32(f.value.bytes.size()));
            out_.append(f.value.bytes);
            break;
        }
    }
    const quint32 length = quint32(out_.size() - lengthAt - 4);
    for (int i = 0; i < 4; ++i)
        out_[lengthAt + i] = char((length >> (8 * i)) & 0xFF);
}

RvfTextEncoder::RvfTextEncoder()
{
    out_.append(kTextMagic, kTextMagicSize);
    out_.append(QByteArray::number(kRvfVersionMajor) + '.' + QByteArray::number(kRvfVersionMinor) + '\n');
}

void RvfTextEncoder::put(const RvfRecord &record)
{
    out_.append(record.tag.letters, 4);
    for (const RvfField &f : record.fields) {
        out_.append(' ');
        out_.append(f.name);
        out_.append('=');
        switch (f.value.type) {
        case RvfValue::Int: out_.append(QByteArray::number(f.value.number)); break;
        case RvfValue::String: putQuoted(out_, f.value.text); break;
        case RvfValue::Bytes:
            out_.append("b64:", 4);
            out_.append(f.value.bytes.toBase64());
            break;
        }
    }
    out_.append('\n');
}

bool isRvfBinary(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArrayView(kBinaryMagic, kBinaryMagicSize));
}

bool isRvfText(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArrayView(kTextMagic, kTextMagicSize));
}

bool decodeRvf(const QByteArray &bytes, const RvfRecordSink &sink, QString *error)
{
    if (isRvfBinary(bytes))
        return decodeBinary(bytes, sink, error);
    if (isRvfText(bytes))
        return decodeText(bytes, sink, error);
    return fail(error, QStringLiteral("the file is not in the native format"));
}
