#include "ErrorLog.h"
#include "Errors.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

ErrorRecordFields fields(std::string message, QTime time = QTime(13, 5, 7))
{
    ErrorRecordFields f;
    f.when = QDateTime(QDate(2004, 12, 15), time);
    f.typeName = "EConvertError";
    f.moduleName = "tavlen";
    f.address = 0x1A2B;
    f.message = std::move(message);
    return f;
}

} // namespace

TEST(ErrorLog, RecordLayout)
{
    const std::string record = formatErrorRecord(fields("'x' is not a valid integer value"));
    // The date is in the desktop's short form, whatever that is; the time follows it.
    const QRegularExpression layout(QStringLiteral(
        "^[^\r\n]+ 13:05:07\\. Exception EConvertError in module tavlen at 00001A2B\\.\r\n"
        "'x' is not a valid integer value\\.\r\n\r\n$"));
    EXPECT_TRUE(layout.match(QString::fromStdString(record)).hasMatch()) << record;
}

TEST(ErrorLog, FullStopsMidnightAndEmptyMessages)
{
    struct Case {
        const char *what;
        ErrorRecordFields f;
        const char *tail;
    } cases[] = {
        {"message ending in a full stop", fields("Done."), " at 00001A2B.\r\nDone.\r\n\r\n"},
        {"empty message gives an empty line", fields(""), " at 00001A2B.\r\n\r\n\r\n"},
    };
    for (const Case &c : cases) {
        const std::string r = formatErrorRecord(c.f);
        EXPECT_TRUE(r.size() > strlen(c.tail) && r.compare(r.size() - strlen(c.tail), std::string::npos, c.tail) == 0)
            << c.what << ": " << r;
    }
    // At midnight the time is left out.
    const std::string midnight = formatErrorRecord(fields("m", QTime(0, 0)));
    const std::string stamp = midnight.substr(0, midnight.find(". Exception"));
    EXPECT_EQ(stamp.find(':'), std::string::npos) << midnight;
}

TEST(ErrorLog, LongMessagesAreCutToFiveHundredTwelveBytes)
{
    const std::string record = formatErrorRecord(fields(std::string(600, 'm')));
    EXPECT_EQ(record.size(), 512u);
    EXPECT_EQ(record.substr(record.size() - 2), "\r\n");
    EXPECT_NE(record.find("mmmm"), std::string::npos);
    // A multi-byte character is never cut in half.
    std::string cyrillic;
    for (int i = 0; i < 300; ++i)
        cyrillic += "\xd0\xb0";
    const std::string cut = formatErrorRecord(fields(cyrillic));
    EXPECT_LE(cut.size(), 512u);
    EXPECT_TRUE(QString::fromStdString(cut).toUtf8() == QByteArray::fromStdString(cut));
}

TEST(ErrorLog, AppendsRecordsNamingTypeModuleAndThrowSite)
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("tavlen_errors.log"));
    for (int i = 0; i < 2; ++i) {
        try {
            throw ELoadError("Cannot open file \"x\"");
        } catch (...) {
            appendErrorRecord(log, std::current_exception());
        }
    }
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    const QRegularExpression record(QStringLiteral(
        "Exception ELoadError in module app_tests at ([0-9A-F]{8,})\\.\r\nCannot open file \"x\"\\.\r\n\r\n"));
    auto matches = record.globalMatch(text);
    int count = 0;
    while (matches.hasNext()) {
        EXPECT_NE(matches.next().captured(1).toULongLong(nullptr, 16), 0u);
        ++count;
    }
    EXPECT_EQ(count, 2) << text.toStdString();
}

TEST(ErrorLog, AnUnwritableLogIsSkipped)
{
    QTemporaryDir dir;
    try {
        throw ESaveError("x");
    } catch (...) {
        appendErrorRecord(dir.path(), std::current_exception()); // a folder cannot be appended to
    }
    SUCCEED();
}
