#pragma once
// The general INI access behind the settings, the recent-files list and the hotkeys file.
//
// Section and key names match without regard to case, blanks around names and values do not count,
// and every write reaches the disk before the call returns: the file is read afresh for every call,
// so several objects (and the placement store) can work on the same file without stale copies.
// Lines the access does not understand stay in the file byte for byte.

#include "Errors.h"
#include "IniValues.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <string>

// A write that did not reach the file: "Unable to write to <file>".
class EIniFileException : public ETavlenError
{
public:
    explicit EIniFileException(const QString &fileName);
    const QString &fileName() const { return fileName_; }

private:
    QString fileName_;
};

namespace inifile {

// Nothing the program writes comes near this; a larger file is not a settings file we may rewrite.
constexpr qint64 kMaxFileSize = 1 << 20;

// The file's bytes; empty when there is no file; nothing when something is there that cannot be
// read as a settings file (a folder, a special file, an unreadable or oversized file) — such a
// file must not be replaced by what little could be read of it.
std::optional<std::string> readBytes(const QString &fileName);

// Replaces the file's content in one step; throws EIniFileException when that fails.
void writeBytes(const QString &fileName, const std::string &bytes);

} // namespace inifile

class TIniFile
{
public:
    // Longest value a read gives; the rest of a longer value is cut off.
    static constexpr std::size_t kMaxValueLength = 2047;

    explicit TIniFile(QString fileName);

    // A missing key (or section, or file) gives the default; a key with an empty value gives "".
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    // A value that is no number gives the default.
    qint32 ReadInteger(const QString &section, const QString &key, qint32 defaultValue) const;
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;
    RVColor ReadColor(const QString &section, const QString &key, RVColor defaultValue) const;
    // True when the section holds the key, whatever its value.
    bool ValueExists(const QString &section, const QString &key) const;

    // Replaces the first entry of the key in the first section of that name; a new key goes after
    // the last entry of its section, a new section at the end of the file.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, qint32 value);
    void WriteBool(const QString &section, const QString &key, bool value);

    // Removes every section of that name with all its lines.
    void EraseSection(const QString &section);

private:
    std::optional<std::string> readValue(const QString &section, const QString &key) const;
    void writeValue(const QString &section, const QString &key, const std::string &value);

    QString fileName_;
};
