#include "AppPaths.h"

#include <QCoreApplication>

namespace {
QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
} // namespace

AppPaths::AppPaths()
    : folder_(withSlash(QCoreApplication::applicationDirPath()))
{
}

AppPaths::AppPaths(const QString &programFolder)
    : folder_(withSlash(programFolder))
{
}

QString AppPaths::errorLog() const
{
    return folder_ + QStringLiteral("tavlen_errors.log");
}

QString AppPaths::pluginFolder() const
{
    return folder_ + QStringLiteral("plugins/");
}
