#include "IniFiles32.h"

#include "IniFile.h"
#include "IniValues.h"

#include <optional>
#include <string_view>

using inivalue::toIniText;
using inivalue::trimmed;

namespace {

bool isHeader(std::string_view line)
{
    const std::string_view text = trimmed(line);
    return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

std::string_view keyOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : trimmed(line.substr(0, equals));
}

std::string_view valueOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : trimmed(line.substr(equals + 1));
}

// Lines end at CR LF, LF or a lone CR; a break at the very end opens no further line.
std::vector<std::string> splitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        lines.emplace_back(bytes.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
        bytes.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

} // namespace

TIniFile32::TIniFile32(QString fileName)
    : fileName_(std::move(fileName))
{
    const std::optional<std::string> bytes = inifile::readBytes(fileName_);
    loaded_ = bytes.has_value();
    if (bytes)
        lines_ = splitLines(*bytes);
}

TIniFile32::KeyPosition TIniFile32::findKey(const std::string &section, const std::string &key) const
{
    const std::string header = "[" + section + "]";
    std::size_t h = 0;
    while (h < lines_.size() && !inivalue::sameName(lines_[h], header))
        ++h;
    if (h == lines_.size())
        return {h, h, false};
    std::size_t line = h + 1;
    for (; line < lines_.size() && !isHeader(lines_[line]); ++line) {
        if (keyOf(lines_[line]) == key)
            return {h, line, true};
    }
    return {h, line, false};
}

std::string TIniFile32::readValue(const QString &section, const QString &key) const
{
    const KeyPosition at = findKey(toIniText(section), toIniText(key));
    return at.found ? std::string(valueOf(lines_[at.line])) : std::string();
}

void TIniFile32::writeValue(const QString &section, const QString &key, const std::string &value)
{
    if (!loaded_)
        throw EIniFileException(fileName_);
    const std::string sectionText = toIniText(section);
    const std::string keyText = toIniText(key);
    const std::string entry = keyText + "=" + value;
    const KeyPosition at = findKey(sectionText, keyText);
    if (at.header == lines_.size()) {
        lines_.emplace_back();
        lines_.push_back("[" + sectionText + "]");
        if (!keyText.empty())
            lines_.push_back(entry);
    } else if (at.found) {
        lines_[at.line] = entry;
    } else {
        lines_.insert(lines_.begin() + std::ptrdiff_t(at.line), entry);
    }
    std::string bytes;
    for (const std::string &line : lines_)
        bytes += line + "\r\n";
    inifile::writeBytes(fileName_, bytes);
}

QString TIniFile32::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::string value = readValue(section, key);
    return value.empty() ? defaultValue : inivalue::fromIniText(value);
}

qint32 TIniFile32::ReadInteger(const QString &section, const QString &key, qint32 defaultValue) const
{
    return inivalue::parseInteger(readValue(section, key)).value_or(defaultValue);
}

bool TIniFile32::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile32::WriteString(const QString &section, const QString &key, const QString &value)
{
    writeValue(section, key, toIniText(value));
}

void TIniFile32::WriteInteger(const QString &section, const QString &key, qint32 value)
{
    writeValue(section, key, inivalue::integerText(value));
}

void TIniFile32::WriteBool(const QString &section, const QString &key, bool value)
{
    writeValue(section, key, inivalue::boolText(value));
}
