#include "CliCommands.h"

#include "DocumentFormats.h"
#include "FileIO.h"
#include "RVDocument.h"
#include "TextCommands.h"

#include <QFile>
#include <string>

namespace {

const char kUsage[] =
    "Usage: tavlen-cli COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  text NAME [IN [OUT]]         Run the text command NAME on the bytes of IN (standard input\n"
    "                               when IN is missing or \"-\") and write the result to OUT\n"
    "                               (standard output when missing or \"-\"). The text is taken as\n"
    "                               Windows-1251, lines ended by CR LF, CR or LF. Commands that\n"
    "                               work on the editor's whole document (autocod, the line-break\n"
    "                               commands) work on the whole input. See the list below.\n"
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

bool readAll(const QString &name, std::FILE *standardInput, std::string &bytes, QString &error)
{
    QFile file;
    const bool ok = name == QLatin1String("-") ? file.open(standardInput, QIODevice::ReadOnly)
                                               : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!ok) {
        error = QStringLiteral("cannot read \"%1\": %2").arg(name, file.errorString());
        return false;
    }
    bytes = file.readAll().toStdString();
    return true;
}

bool writeAll(const QString &name, std::FILE *standardOutput, const std::string &bytes, QString &error)
{
    if (name == QLatin1String("-")) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), standardOutput) == bytes.size() && std::fflush(standardOutput) == 0)
            return true;
        error = QStringLiteral("cannot write the standard output");
        return false;
    }
    return rvformats::writeWholeFile(name, bytes, &error);
}

int text(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err)
{
    if (args.isEmpty() || args.size() > 3)
        return fail(err, 2, QStringLiteral("text takes NAME [IN [OUT]] (see --help)"));
    const QByteArray name = args[0].toUtf8();
    const TextCommand *command = findTextCommand(std::string_view(name.constData(), std::size_t(name.size())));
    if (!command)
        return fail(err, 2, QStringLiteral("unknown text command \"%1\" (see --help)").arg(args[0]));

    std::string input;
    QString error;
    if (!readAll(args.value(1, QStringLiteral("-")), in, input, error))
        return fail(err, 1, error);
    TextCommandOutput result;
    try {
        result = command->run(input);
    } catch (const EConvertError &e) {
        return fail(err, 1, QString::fromStdString(e.what()));
    }
    if (!result)
        return fail(err, 1, QStringLiteral("%1: the input is not a number of the command's base").arg(args[0]));
    if (!writeAll(args.value(2, QStringLiteral("-")), out, *result, error))
        return fail(err, 1, error);
    return 0;
}

std::string commandList()
{
    std::string list = "\nText commands:\n";
    for (const TextCommand &c : textCommands()) {
        std::string line = "  " + std::string(c.name);
        line.resize(std::max<std::size_t>(line.size() + 1, 16), ' ');
        list += line + std::string(c.description) + "\n";
    }
    return list;
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

int runCli(const QStringList &arguments, std::FILE *in, std::FILE *out, std::FILE *err)
{
    if (arguments.isEmpty())
        return fail(err, 2, QStringLiteral("no command given (see --help)"));
    const QString command = arguments.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        std::fputs(kUsage, out);
        std::fputs(commandList().c_str(), out);
        return 0;
    }
    if (command == QLatin1String("text"))
        return text(arguments.mid(1), in, out, err);
    if (command == QLatin1String("convert"))
        return convert(arguments.mid(1), err);
    return fail(err, 2, QStringLiteral("unknown command \"%1\" (see --help)").arg(command));
}
