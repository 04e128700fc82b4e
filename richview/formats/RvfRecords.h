#pragma once
// The record layer of the native format: a file is a version header and a sequence of records, each a
// four-letter tag and a list of fields (integers, texts, byte strings). The binary form stores a
// record as a length-prefixed chunk with positional fields; the text form as one line of named
// fields. Both let a reader skip records it does not know, so a newer file reads as far as it can.

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

struct RvfValue {
    enum Type : quint8 { Int = 1, String = 2, Bytes = 3 };
    Type type = Int;
    qint64 number = 0;
    QString text;
    QByteArray bytes;
};

// The number a field holds: an integer, or a text of decimal digits (the XML form has only texts).
bool rvfNumber(const RvfValue &value, qint64 &out);

struct RvfField {
    QByteArray name; // empty when read from the binary form
    RvfValue value;
};

// A record's four-letter tag, held in place: a file has a record for every run of text.
struct RvfTag {
    char letters[4] = {};
    constexpr RvfTag() = default;
    constexpr RvfTag(const char *tag) // up to four letters; fewer are padded with zero bytes
    {
        for (int i = 0; i < 4 && tag[i]; ++i)
            letters[i] = tag[i];
    }
    constexpr quint32 key() const
    {
        return quint32(quint8(letters[0])) | quint32(quint8(letters[1])) << 8 | quint32(quint8(letters[2])) << 16
               | quint32(quint8(letters[3])) << 24;
    }
    constexpr bool operator==(const RvfTag &other) const { return key() == other.key(); }
    constexpr bool operator==(const char *tag) const { return key() == RvfTag(tag).key(); }
};

struct RvfRecord {
    RvfTag tag;
    std::vector<RvfField> fields;
    bool untyped = false; // every field is a text (read from XML): numbers are texts of digits

    void clear(const char *newTag)
    {
        tag = newTag;
        fields.clear();
    }
    void add(const char *name, qint64 number) { fields.push_back({name, {RvfValue::Int, number, {}, {}}}); }
    void add(const char *name, const QString &text) { fields.push_back({name, {RvfValue::String, 0, text, {}}}); }
    void addBytes(const char *name, const QByteArray &bytes)
    {
        fields.push_back({name, {RvfValue::Bytes, 0, {}, bytes}});
    }

    // The field at `index` among the fields the writer put down, by name when the record has names
    // (text form, XML) and by position otherwise; null when absent.
    const RvfValue *find(std::size_t index, const char *name) const;
};

constexpr int kRvfVersionMajor = 1;
constexpr int kRvfVersionMinor = 0;

// Receives records as they are written or read; a reader's sink returns false (with the reason) to stop.
// A record read from a file is valid during the call only: its field names may point into the file's
// bytes, so a sink keeps the values it needs, never the record.
using RvfRecordSink = std::function<bool(const RvfRecord &, QString *error)>;

class RvfEncoder
{
public:
    virtual ~RvfEncoder() = default;
    virtual void put(const RvfRecord &record) = 0;
    virtual QByteArray finish() = 0;
};

class RvfBinaryEncoder : public RvfEncoder
{
public:
    RvfBinaryEncoder();
    void put(const RvfRecord &record) override;
    QByteArray finish() override { return std::move(out_); }

private:
    QByteArray out_;
};

class RvfTextEncoder : public RvfEncoder
{
public:
    RvfTextEncoder();
    void put(const RvfRecord &record) override;
    QByteArray finish() override { return std::move(out_); }

private:
    QByteArray out_;
};

bool isRvfBinary(const QByteArray &bytes);
bool isRvfText(const QByteArray &bytes);

// Decodes either form, handing each record to the sink; false with the reason for a damaged file,
// an unsupported version or a record the sink refused.
bool decodeRvf(const QByteArray &bytes, const RvfRecordSink &sink, QString *error);
