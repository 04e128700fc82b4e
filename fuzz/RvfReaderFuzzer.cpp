// Feeds arbitrary bytes to the native-format reader under options taken from the first two bytes,
// then writes what it read in both forms and reads that back: nothing may crash, hang or grow
// without bound, and our own output must always read.

#include "RVDocument.h"
#include "RvfDocumentIO.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    TRVFOptions options;
    const unsigned bits = unsigned(data[0]) | unsigned(data[1]) << 8;
    for (unsigned i = 0; i < rvfoCount; ++i)
        options.set(TRVFOption(i), bits & (1u << i));
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    RVDocument doc;
    QTextCursor c(doc.textDocument());
    QString error;
    readRvfBytes(doc, c, bytes, options, RvfReadMode::Load, &error);

    for (bool binary : {true, false}) {
        TRVFOptions save = TRVFOptions::defaults();
        save.set(rvfoSaveBinary, binary);
        const QByteArray written = writeRvfBytes(doc, save);
        RVDocument again;
        QTextCursor a(again.textDocument());
        if (!readRvfBytes(again, a, written, TRVFOptions::defaults(), RvfReadMode::Load, &error))
            std::abort(); // our own output must read without complaint
    }
    return 0;
}
