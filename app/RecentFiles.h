#pragma once
// The recent-files list: section HISTORY of the settings file, "Count" and "File1" (newest) to
// "File<Count>". The list lives only in the file; every change reads it, changes it and writes it
// back at once.

#include <QString>
#include <QStringList>
#include <optional>

class RecentFiles
{
public:
    static constexpr int kLimit = 10;

    explicit RecentFiles(QString settingsFile);

    // The entries the History submenu shows: the first Count of them, at most ten; a missing entry
    // is an empty name.
    QStringList entries() const;
    // The 1-based position of the first entry equal to `name` in lower case by the locale's rules.
    std::optional<int> FindInHistory(const QString &name) const;
    // Puts `name` first, drops its earlier copy and keeps ten entries. Throws EIniFileException.
    void AddToHistory(const QString &name);
    // Throws EIniFileException.
    void clear();

private:
    // Entries beyond the tenth can never reach the list again, so no more are read: a Count of
    // millions would otherwise mean millions of reads.
    int storedCount() const;

    QString settingsFile_;
};
