#pragma once
// The small INI class of the window-placement store. Its rules differ from the general INI access on
// purpose, and stored files depend on them: a section header must be the whole line "[Name]" (any
// letter case, no blanks around), keys match case included, a new key goes just before the next
// header, and every write rewrites the whole file with CR LF line ends.

#include <QString>
#include <QtGlobal>

#include <string>
#include <vector>

class TIniFile32
{
public:
    // Loads the file's lines now; a missing file starts an empty list.
    explicit TIniFile32(QString fileName);

    // An empty value counts as missing.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    qint32 ReadInteger(const QString &section, const QString &key, qint32 defaultValue) const;
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;

    // Throw EIniFileException when the file cannot be written.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, qint32 value);
    void WriteBool(const QString &section, const QString &key, bool value);

private:
    // Where a key was looked for: the line holding it, or, when not found, the line that ends the
    // section (its next header or the list's end). No section: `header` is the list's size.
    struct KeyPosition {
        std::size_t header;
        std::size_t line;
        bool found;
    };
    KeyPosition findKey(const std::string &section, const std::string &key) const;
    std::string readValue(const QString &section, const QString &key) const;
    void writeValue(const QString &section, const QString &key, const std::string &value);

    QString fileName_;
    std::vector<std::string> lines_;
    // False when a file is there but could not be loaded: writing the list back would destroy it.
    bool loaded_ = true;
};
