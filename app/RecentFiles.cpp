#include "RecentFiles.h"

#include "IniFile.h"

#include <QLocale>

#include <algorithm>

namespace {
const QString kSection = QStringLiteral("HISTORY");
const QString kCount = QStringLiteral("Count");

QString entryKey(int number)
{
    return QStringLiteral("File%1").arg(number);
}
} // namespace

RecentFiles::RecentFiles(QString settingsFile)
    : settingsFile_(std::move(settingsFile))
{
}

int RecentFiles::storedCount() const
{
    return std::clamp(TIniFile(settingsFile_).ReadInteger(kSection, kCount, 0), 0, kLimit);
}

QStringList RecentFiles::entries() const
{
    const TIniFile ini(settingsFile_);
    QStringList list;
    for (int i = 1, n = storedCount(); i <= n; ++i)
        list << ini.ReadString(kSection, entryKey(i), QString());
    return list;
}

std::optional<int> RecentFiles::FindInHistory(const QString &name) const
{
    const QLocale locale = QLocale::system();
    const QString wanted = locale.toLower(name);
    const QStringList list = entries();
    for (int i = 0; i < list.size(); ++i) {
        if (locale.toLower(list.at(i)) == wanted)
            return i + 1;
    }
    return std::nullopt;
}

void RecentFiles::AddToHistory(const QString &name)
{
    QStringList list = entries();
    list.prepend(name);
    // List index i holds entry i now that the new name sits at index 0.
    if (const std::optional<int> position = FindInHistory(name))
        list.removeAt(*position);
    const int n = std::min(int(list.size()), kLimit);
    TIniFile ini(settingsFile_);
    ini.EraseSection(kSection);
    ini.WriteInteger(kSection, kCount, n);
    for (int i = 0; i < n; ++i)
        ini.WriteString(kSection, entryKey(i + 1), list.at(i));
}

void RecentFiles::clear()
{
    TIniFile(settingsFile_).EraseSection(kSection);
}
