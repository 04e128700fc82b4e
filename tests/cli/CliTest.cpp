#include "CliCommands.h"

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

CliRun cli(const QStringList &args)
{
    std::FILE *out = std::tmpfile(), *err = std::tmpfile();
    const int code = runCli(args, out, err);
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

TEST(CliHelp, DescribesTheCommands)
{
    const CliRun r = cli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("convert"), std::string::npos);
    EXPECT_NE(r.out.find("--unicode"), std::string::npos);
}
