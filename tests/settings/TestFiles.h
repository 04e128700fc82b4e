#pragma once
// Byte-exact file access for the settings tests.

#include <QFile>
#include <QString>

#include <stdexcept>
#include <string>

inline std::string fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

inline void putFile(const QString &path, const std::string &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot create test file " + path.toStdString());
    file.write(bytes.data(), qint64(bytes.size()));
}

inline QString fixture(const char *name)
{
    return QStringLiteral(TAVLEN_TEST_DATA "/settings/") + QLatin1String(name);
}
