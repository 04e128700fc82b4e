#include "IniFile.h"

#include "FileIO.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

using inivalue::sameName;
using inivalue::toIniText;
using inivalue::trimmed;

EIniFileException::EIniFileException(const QString &fileName)
    : ETavlenError("Unable to write to " + fileName.toStdString())
    , fileName_(fileName)
{
}

namespace inifile {

std::optional<std::string> readBytes(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return std::string();
    if (!info.isFile() || info.size() > kMaxFileSize)
        return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The size may have changed since it was looked at.
    const QByteArray data = file.read(kMaxFileSize + 1);
    if (data.size() > kMaxFileSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data.toStdString();
}

void writeBytes(const QString &fileName, const std::string &bytes)
{
    // A settings file in a folder we may not create files in can still be rewritten in place.
    if (!rvformats::writeWholeFile(fileName, bytes, nullptr, true))
        throw EIniFileException(fileName);
}

} // namespace inifile

namespace {

struct Entry {
    std::string_view key;
    std::string_view value;
};

// The name inside "[...]" when the line is a section header.
std::optional<std::string_view> headerName(std::string_view line)
{
    const std::string_view text = trimmed(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimmed(text.substr(1, close - 1));
}

// Key and value of a line inside a section; comments and lines without "=" carry no entry.
std::optional<Entry> entryOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = trimmed(line.substr(0, equals));
    if (!key.empty() && key.front() == ';')
        return std::nullopt;
    return Entry{key, trimmed(line.substr(equals + 1))};
}

// The file as lines, each with the line break it had, so that writing changes only what was
// written to.
class IniText
{
public:
    explicit IniText(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const std::size_t lf = bytes.find('\n');
            std::string_view text = bytes.substr(0, lf);
            std::string eol;
            if (lf != std::string_view::npos) {
                const bool crlf = !text.empty() && text.back() == '\r';
                if (crlf)
                    text.remove_suffix(1);
                eol = crlf ? "\r\n" : "\n";
                bytes.remove_prefix(lf + 1);
            } else {
                bytes = {};
            }
            lines_.push_back({std::string(text), std::move(eol)});
        }
        if (!lines_.empty() && !lines_.front().eol.empty())
            newline_ = lines_.front().eol;
    }

    std::string bytes() const
    {
        std::string out;
        for (const Line &line : lines_)
            out += line.text + line.eol;
        return out;
    }

    std::optional<std::string_view> value(std::string_view section, std::string_view key) const
    {
        const std::optional<Span> span = findSection(section);
        if (!span)
            return std::nullopt;
        for (std::size_t i = span->header + 1; i < span->end; ++i) {
            const std::optional<Entry> entry = entryOf(lines_[i].text);
            if (entry && sameName(entry->key, key))
                return entry->value;
        }
        return std::nullopt;
    }

    void setValue(std::string_view section, std::string_view key, std::string_view value)
    {
        const std::optional<Span> span = findSection(section);
        if (!span) {
            if (!lines_.empty() && !trimmed(lines_.back().text).empty())
                insertLine(lines_.size(), {});
            insertLine(lines_.size(), std::string("[").append(section).append("]"));
            insertLine(lines_.size(), std::string(key) + "=" + std::string(value));
            return;
        }
        std::size_t afterLastEntry = span->header + 1;
        for (std::size_t i = span->header + 1; i < span->end; ++i) {
            const std::optional<Entry> entry = entryOf(lines_[i].text);
            if (!entry)
                continue;
            if (sameName(entry->key, key)) {
                // The key keeps the spelling the file gave it.
                lines_[i].text = std::string(entry->key) + "=" + std::string(value);
                return;
            }
            afterLastEntry = i + 1;
        }
        insertLine(afterLastEntry, std::string(key) + "=" + std::string(value));
    }

    // True when there was anything to erase. Later copies of a section are erased too, or they
    // would come to light once the first one is gone.
    bool eraseSection(std::string_view section)
    {
        bool erased = false;
        while (const std::optional<Span> span = findSection(section)) {
            lines_.erase(lines_.begin() + std::ptrdiff_t(span->header), lines_.begin() + std::ptrdiff_t(span->end));
            erased = true;
        }
        return erased;
    }

private:
    struct Line {
        std::string text;
        std::string eol;
    };
    // A section: its header line and the index of the next header (or the end).
    struct Span {
        std::size_t header;
        std::size_t end;
    };

    // Only the first section of a name counts; later copies are ignored.
    std::optional<Span> findSection(std::string_view section) const
    {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::optional<std::string_view> name = headerName(lines_[i].text);
            if (!name || !sameName(*name, section))
                continue;
            std::size_t end = i + 1;
            while (end < lines_.size() && !headerName(lines_[end].text))
                ++end;
            return Span{i, end};
        }
        return std::nullopt;
    }

    void insertLine(std::size_t at, std::string text)
    {
        if (at > 0 && lines_[at - 1].eol.empty())
            lines_[at - 1].eol = newline_;
        lines_.insert(lines_.begin() + std::ptrdiff_t(at), Line{std::move(text), newline_});
    }

    std::vector<Line> lines_;
    std::string newline_ = "\r\n";
};

} // namespace

TIniFile::TIniFile(QString fileName)
    : fileName_(std::move(fileName))
{
}

std::optional<std::string> TIniFile::readValue(const QString &section, const QString &key) const
{
    const std::optional<std::string> bytes = inifile::readBytes(fileName_);
    if (!bytes)
        return std::nullopt;
    const IniText text(*bytes);
    const std::optional<std::string_view> value = text.value(toIniText(section), toIniText(key));
    if (!value)
        return std::nullopt;
    return std::string(value->substr(0, kMaxValueLength));
}

void TIniFile::writeValue(const QString &section, const QString &key, const std::string &value)
{
    const std::optional<std::string> bytes = inifile::readBytes(fileName_);
    if (!bytes)
        throw EIniFileException(fileName_);
    IniText text(*bytes);
    text.setValue(toIniText(section), toIniText(key), value);
    inifile::writeBytes(fileName_, text.bytes());
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::optional<std::string> value = readValue(section, key);
    return value ? inivalue::fromIniText(*value) : defaultValue;
}

qint32 TIniFile::ReadInteger(const QString &section, const QString &key, qint32 defaultValue) const
{
    const std::optional<std::string> value = readValue(section, key);
    return value ? inivalue::parseInteger(*value).value_or(defaultValue) : defaultValue;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

RVColor TIniFile::ReadColor(const QString &section, const QString &key, RVColor defaultValue) const
{
    const std::optional<std::string> value = readValue(section, key);
    return value ? inivalue::parseColor(*value).value_or(defaultValue) : defaultValue;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return readValue(section, key).has_value();
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    writeValue(section, key, toIniText(value));
}

void TIniFile::WriteInteger(const QString &section, const QString &key, qint32 value)
{
    writeValue(section, key, inivalue::integerText(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    writeValue(section, key, inivalue::boolText(value));
}

void TIniFile::EraseSection(const QString &section)
{
    const std::optional<std::string> bytes = inifile::readBytes(fileName_);
    if (!bytes)
        throw EIniFileException(fileName_);
    IniText text(*bytes);
    if (text.eraseSection(toIniText(section)))
        inifile::writeBytes(fileName_, text.bytes());
}
