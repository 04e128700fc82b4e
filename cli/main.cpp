// tavlen-cli: Tavlen's document and text tools without a window, for batch work.

#include "CliCommands.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

// Qt's start-up chatter (a missing runtime folder and the like) is no business of a batch tool's
// output; everything else passes through.
void quietStartupMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietStartupMessages);
    // Documents need fonts for their layout, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return runCli(QGuiApplication::arguments().mid(1), stdin, stdout, stderr);
}
