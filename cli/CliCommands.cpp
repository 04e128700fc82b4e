#include "CliCommands.h"

#include "DocumentFormats.h"
#include "RVDocument.h"

namespace {

const char kUsage[] =
    "Usage: tavlen-cli COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  convert [--unicode] IN OUT   Read the document IN and write it to OUT, each in the format\n"
    "                               its extension names: .rtf, .xml, .rvf, or text for anything\n"
    "                               else (a .txt file that looks like UTF-16 is read as UTF-16).\n"
    "                               Text is written as Windows-1251 with CR LF line breaks, or as\n"
    "                               UTF-16 little-endian with a byte-order mark with --unicode.\n"
    "  --help                       Show this text.\n"
    "\n"
    "The exit code is 0 on success, 1 when a file cannot be read or written, 2 for a wrong call.\n";

int fail(std::FILE *err, int code, const QString &message)
{
    std::fprintf(err, "tavlen-cli: %s\n", message.toLocal8Bit().constData());
    return code;
}

int convert(QStringList args, std::FILE *err)
{
    const bool unicode = args.removeAll(QStringLiteral("--unicode")) > 0;
    if (args.size() != 2 || args[0].startsWith(QLatin1String("--")) || args[1].startsWith(QLatin1String("--")))
        return fail(err, 2, QStringLiteral("convert takes [--unicode] IN OUT (see --help)"));
    const QString &in = args[0], &out = args[1];

    RVDocument doc;
    QString error;
    if (!rvformats::loadDocument(doc, in, rvformats::formatByExtension(in, true), 0, 0, &error))
        return fail(err, 1, error);

    rvformats::DocFormat format = rvformats::formatByExtension(out, false);
    if (format == rvformats::DocFormat::Text && unicode)
        format = rvformats::DocFormat::UnicodeText;
    if (!rvformats::saveDocument(doc, out, format, &error))
        return fail(err, 1, error);
    return 0;
}

} // namespace

int runCli(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    if (arguments.isEmpty())
        return fail(err, 2, QStringLiteral("no command given (see --help)"));
    const QString command = arguments.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        std::fputs(kUsage, out);
        return 0;
    }
    if (command == QLatin1String("convert"))
        return convert(arguments.mid(1), err);
    return fail(err, 2, QStringLiteral("unknown command \"%1\" (see --help)").arg(command));
}
