#include "ErrorLog.h"

#include "ThrowSite.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cxxabi.h>
#include <cstdio>
#include <memory>
#include <typeinfo>

namespace {

constexpr std::size_t kRecordLimit = 512;

std::string demangle(const char *mangled)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

// The locale's long time form without the time zone, which the log has no use for.
QString longTime(const QLocale &locale, QTime time)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(time, format.trimmed());
}

// Cuts `text` to at most `room` bytes without splitting a UTF-8 sequence.
std::string cutUtf8(const std::string &text, std::size_t room)
{
    if (text.size() <= room)
        return text;
    std::size_t end = room;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string programFileName()
{
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? std::string("tavlen") : QFileInfo(path).fileName().toStdString();
}

} // namespace

std::string formatErrorRecord(const ErrorRecordFields &f)
{
    const QLocale locale = QLocale::system();
    QString stamp = locale.toString(f.when.date(), QLocale::ShortFormat);
    if (f.when.time() != QTime(0, 0))
        stamp += QLatin1Char(' ') + longTime(locale, f.when.time());
    std::string record = stamp.toStdString() + ". ";

    char address[32];
    std::snprintf(address, sizeof address, "%08llX", f.address);
    std::string body = "Exception " + f.typeName + " in module " + f.moduleName + " at " + address + ".\r\n"
                       + f.message;
    if (!f.message.empty() && f.message.back() != '.')
        body += '.';
    body += "\r\n";

    const std::size_t used = record.size() + 2; // the closing CR LF always fits
    record += cutUtf8(body, used < kRecordLimit ? kRecordLimit - used : 0);
    record += "\r\n";
    return record;
}

ErrorRecordFields describeError(std::exception_ptr error, const QDateTime &when)
{
    ErrorRecordFields f;
    f.when = when;
    f.moduleName = programFileName();
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        f.typeName = demangle(typeid(e).name());
        f.message = e.what();
        if (const ThrowSite site = throwSiteOf(&e); site.known) {
            f.moduleName = site.module;
            f.address = site.offset;
        }
    } catch (...) {
        const std::type_info *type = abi::__cxa_current_exception_type();
        f.typeName = type ? demangle(type->name()) : std::string("unknown");
    }
    return f;
}

void appendErrorRecord(const QString &logPath, std::exception_ptr error)
{
    const std::string record = formatErrorRecord(describeError(error, QDateTime::currentDateTime()));
    QFile log(logPath);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    log.write(record.data(), qint64(record.size()));
}
