#include "CliCommands.h"
#include "TextCommands.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int code;
    std::string out, err;
};

std::string drain(std::FILE *f)
{
    std::rewind(f);
    std::string s;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        s.append(buf, n);
    std::fclose(f);
    return s;
}

CliRun cli(const QStringList &args, const std::string &input = {})
{
    std::FILE *in = std::tmpfile(), *out = std::tmpfile(), *err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    const int code = runCli(args, in, out, err);
    std::fclose(in);
    return {code, drain(out), drain(err)};
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(CliConvert, TextToTextKeepsTheBytes)
{
    QTemporaryDir dir;
    const QByteArray content("\xcf\xf0\xe8\xe2\xe5\xf2\r\nworld\r\n");
    writeFile(dir.filePath("a.txt"), content);
    const CliRun r = cli({"convert", dir.filePath("a.txt"), dir.filePath("b.txt")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFile(dir.filePath("b.txt")), content);
}

TEST(CliConvert, UnicodeBothWays)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"), "\xdf\r\nx");
    ASSERT_EQ(cli({"convert", "--unicode", dir.filePath("a.txt"), dir.filePath("u.txt")}).code, 0);
    EXPECT_EQ(readFile(dir.filePath("u.txt")), QByteArray("\xFF\xFE\x2F\x04\r\0\n\0x\0", 10));
    // A UTF-16 .txt input is recognised by itself.
    ASSERT_EQ(cli({"convert", dir.filePath("u.txt"), dir.filePath("back.txt")}).code, 0);
    EXPECT_EQ(readFile(dir.filePath("back.txt")), QByteArray("\xdf\r\nx"));
}

TEST(CliConvert, FailuresSayWhatWentWrong)
{
    QTemporaryDir dir;
    struct Case {
        const char *what;
        QStringList args;
        int code;
    } cases[] = {
        {"no command", {}, 2},
        {"unknown command", {"frobnicate"}, 2},
        {"missing output", {"convert", dir.filePath("a.txt")}, 2},
        {"unreadable input", {"convert", dir.path(), dir.filePath("b.txt")}, 1},
        {"unwritable output", {"convert", dir.filePath("none.txt"), dir.filePath("no/such/folder/b.txt")}, 1},
    };
    for (const Case &c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.what;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.what << ": " << r.err;
        EXPECT_EQ(r.err.rfind("tavlen-cli: ", 0), 0u) << c.what;
    }
}

// Every format can be converted into every other: a word processor's RTF goes into each format, each
// of those into each format again, and every path ends in the same plain text; the native format's
// model passes through XML unchanged.
TEST(CliConvert, EveryFormatToEveryFormat)
{
    QTemporaryDir dir;
    const QString source = QStringLiteral(TAVLEN_TEST_DATA "/rtf/libreoffice.rtf");
    ASSERT_EQ(cli({"convert", source, dir.filePath("expected.txt")}).code, 0);
    const QByteArray expected = readFile(dir.filePath("expected.txt"));
    ASSERT_TRUE(expected.startsWith("\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0! Hello")) << "the fixture's text, in Windows-1251";

    struct Format {
        const char *name, *extension;
        bool unicode;
    };
    const Format formats[] = {{"text", "txt", false}, {"UTF-16 text", "txt", true}, {"RTF", "rtf", false},
                              {"native", "rvf", false}, {"XML", "xml", false}};
    const auto convert = [&](const QString &from, const Format &to, const QString &name) {
        QStringList args{"convert"};
        if (to.unicode)
            args << "--unicode";
        const QString path = dir.filePath(name + QLatin1Char('.') + QLatin1String(to.extension));
        const CliRun r = cli(args << from << path);
        EXPECT_EQ(r.code, 0) << r.err;
        return path;
    };
    for (const Format &first : formats) {
        const QString a = convert(source, first, QStringLiteral("a"));
        for (const Format &second : formats) {
            const QString b = convert(a, second, QStringLiteral("b"));
            ASSERT_EQ(cli({"convert", b, dir.filePath("final.txt")}).code, 0);
            EXPECT_EQ(readFile(dir.filePath("final.txt")), expected) << first.name << " then " << second.name;
        }
    }

    const QString native = convert(source, formats[3], QStringLiteral("native"));
    const QString xml = convert(native, formats[4], QStringLiteral("through"));
    const QString again = convert(xml, formats[3], QStringLiteral("again"));
    EXPECT_EQ(readFile(again), readFile(native));
}

TEST(CliHelp, DescribesTheCommands)
{
    const CliRun r = cli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("convert"), std::string::npos);
    EXPECT_NE(r.out.find("--unicode"), std::string::npos);
    for (const TextCommand &c : textCommands())
        EXPECT_NE(r.out.find("  " + std::string(c.name) + " "), std::string::npos) << c.name;
}

TEST(CliText, RunsCommandsOnStandardInputAndFiles)
{
    struct Case {
        QStringList args;
        std::string input, output;
    } cases[] = {
        {{"text", "uppercase"}, "abc \xe0\xe1", "ABC \xc0\xc1"},
        {{"text", "koi8rwin", "-"}, "\xd0\xd2\xc9\xd7\xc5\xd4", "\xef\xf0\xe8\xe2\xe5\xf2"},
        {{"text", "autocod"}, "\xd0\xd2\xc9\xd7\xc5\xd4", "\xef\xf0\xe8\xe2\xe5\xf2"},
        {{"text", "unixbreak"}, "a\r\nb", "a\nb"},
        {{"text", "dec2hex"}, "255", "ff"},
        {{"text", "bin2dec"}, "", "0"},
    };
    for (const Case &c : cases) {
        const CliRun r = cli(c.args, c.input);
        EXPECT_EQ(r.code, 0) << c.args.join(' ').toStdString() << r.err;
        EXPECT_EQ(r.out, c.output) << c.args.join(' ').toStdString();
    }
}

TEST(CliText, RoundTripWinKoiWinOnAFile)
{
    QTemporaryDir dir;
    QFile fixture(QStringLiteral(TAVLEN_TEST_DATA "/cli/russian-1251.txt"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray original = fixture.readAll();
    ASSERT_EQ(cli({"text", "winkoi8r", fixture.fileName(), dir.filePath("koi.txt")}).code, 0);
    EXPECT_NE(readFile(dir.filePath("koi.txt")), original);
    EXPECT_EQ(readFile(dir.filePath("koi.txt")).size(), original.size());
    ASSERT_EQ(cli({"text", "koi8rwin", dir.filePath("koi.txt"), dir.filePath("back.txt")}).code, 0);
    EXPECT_EQ(readFile(dir.filePath("back.txt")), original);
}

TEST(CliText, RefusalsAndErrorsExitNonZero)
{
    struct Case {
        QStringList args;
        std::string input;
        int code;
    } cases[] = {
        {{"text", "hex2dec"}, "1g", 1},
        {{"text", "dec2bin"}, "", 1},
        {{"text", "dec2bin"}, "99999999999", 1},
        {{"text", "nosuch"}, "", 2},
        {{"text"}, "", 2},
        {{"text", "uppercase", "/no/such/file"}, "", 1},
    };
    for (const Case &c : cases) {
        const CliRun r = cli(c.args, c.input);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}
