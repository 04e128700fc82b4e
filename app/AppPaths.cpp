#include "AppPaths.h"

#include "AppTitle.h"

#include <QCoreApplication>
#include <QDir>

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
    , program_(QCoreApplication::applicationFilePath())
{
}

AppPaths::AppPaths(const QString &programFolder, const QString &dataHome)
    : folder_(withSlash(programFolder))
    , program_(folder_ + QStringLiteral("tavlen"))
    , dataHome_(dataHome)
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

QString AppPaths::settingsFile() const
{
    return folder_ + QStringLiteral("Tavlen.ini");
}

QString AppPaths::hotkeysFile() const
{
    return folder_ + AppTitle + QStringLiteral(".ini");
}

QString AppPaths::dataHome() const
{
    if (!dataHome_.isEmpty())
        return dataHome_;
    // A relative value is invalid by the XDG rules and would depend on the working folder.
    const QString fromEnvironment = qEnvironmentVariable("XDG_DATA_HOME");
    if (!fromEnvironment.isEmpty() && QDir::isAbsolutePath(fromEnvironment))
        return fromEnvironment;
    return QDir::homePath() + QStringLiteral("/.local/share");
}
