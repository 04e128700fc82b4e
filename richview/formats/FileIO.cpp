#include "FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace rvformats {

bool readWholeFile(const QString &path, QByteArray &bytes, QString *error)
{
    bytes.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\" for reading: %2")
                         .arg(path, info.isDir() ? QStringLiteral("it is a folder") : file.errorString());
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read file \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool writeWholeFile(const QString &path, std::string_view bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())
        || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write file \"%1\": %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace rvformats
