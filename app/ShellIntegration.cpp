#include "ShellIntegration.h"

#include "Errors.h"
#include "FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A value of a desktop file: backslashes and line breaks escaped, so a path cannot end the line
// and forge keys of its own.
QString desktopValue(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out;
}

// The program as the first word of an Exec line: always quoted, so blanks stay inside the one
// argument, with the characters the Exec rules reserve escaped.
QString execProgram(const QString &program)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString execLine(const QString &program)
{
    return desktopValue(execProgram(program) + QStringLiteral(" %f"));
}

QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

void writeFile(const QString &path, const QString &text, bool executable)
{
    const QByteArray bytes = text.toUtf8();
    const bool written = QDir().mkpath(QFileInfo(path).absolutePath())
                      && rvformats::writeWholeFile(path, std::string_view(bytes.constData(), std::size_t(bytes.size())),
                                                   nullptr);
    const QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                        | QFileDevice::ReadOther;
    const QFileDevice::Permissions run = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    if (!written || !QFile::setPermissions(path, executable ? mode | run : mode))
        throw EShellIntegrationError("Failed to set data for '" + path.toStdString() + "'");
}

void removeFile(const QString &path)
{
    // Only files of our own name: a folder someone put there is not ours to delete.
    if (!QFileInfo(path).isDir())
        QFile::remove(path);
}

} // namespace

ShellIntegration::ShellIntegration(QString dataHome, QString programFile, QString title)
    : dataHome_(QDir::cleanPath(dataHome))
    , program_(QFileInfo(programFile).absoluteFilePath())
    , title_(std::move(title))
{
}

QString ShellIntegration::caption() const
{
    return QStringLiteral("Открыть в ") + title_;
}

ShellIntegrationFiles ShellIntegration::files() const
{
    return {dataHome_ + QStringLiteral("/applications/") + title_ + QStringLiteral(".desktop"),
            dataHome_ + QStringLiteral("/kio/servicemenus/") + title_ + QStringLiteral(".desktop"),
            dataHome_ + QStringLiteral("/nautilus/scripts/") + caption()};
}

void ShellIntegration::install() const
{
    const ShellIntegrationFiles f = files();
    writeFile(f.applicationEntry,
              QStringLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=%1\n"
                             "Exec=%2\n"
                             "NoDisplay=true\n"
                             "Terminal=false\n")
                  .arg(desktopValue(title_), execLine(program_)),
              false);
    // KDE runs service menus from the user's folder only when they are marked executable.
    writeFile(f.serviceMenu,
              QStringLiteral("[Desktop Entry]\n"
                             "Type=Service\n"
                             "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
                             "MimeType=all/allfiles;\n"
                             "Actions=open;\n"
                             "\n"
                             "[Desktop Action open]\n"
                             "Name=%1\n"
                             "Exec=%2\n")
                  .arg(desktopValue(caption()), execLine(program_)),
              true);
    writeFile(f.nautilusScript, QStringLiteral("#!/bin/sh\nexec %1 \"$1\"\n").arg(shellQuoted(program_)), true);
}

void ShellIntegration::remove() const
{
    const ShellIntegrationFiles f = files();
    removeFile(f.applicationEntry);
    removeFile(f.serviceMenu);
    removeFile(f.nautilusScript);
}
