// Feeds arbitrary bytes to the native-format reader under options taken from the first two bytes,
// then writes what it read in both forms and reads that back: nothing may crash, hang or grow
// without bound, and our own output must always read.

#include "RVDocument.h"
#include "RvfDocumentIO.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextListFormat>
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
    // Two bytes of options, one of mode (bit 0: paste into a document with text and lists of its own,
    // as the clipboard does), then the file.
    if (size < 3)
        return 0;
    TRVFOptions options;
    const unsigned bits = unsigned(data[0]) | unsigned(data[1]) << 8;
    for (unsigned i = 0; i < rvfoCount; ++i)
        options.set(TRVFOption(i), bits & (1u << i));
    const bool paste = data[2] & 1;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 3), qsizetype(size - 3));

    RVDocument doc;
    QTextCursor c(doc.textDocument());
    QString error;
    if (paste) {
        c.insertText(QStringLiteral("first paragraph\nsecond paragraph"));
        c.createList(QTextListFormat::ListDecimal);
        c.movePosition(QTextCursor::PreviousBlock);
        c.movePosition(QTextCursor::NextWord);
    }
    readRvfBytes(doc, c, bytes, options, paste ? RvfReadMode::Paste : RvfReadMode::Load, &error);

    for (bool binary : {true, false}) {
        TRVFOptions save = TRVFOptions::defaults();
        save.set(rvfoSaveBinary, binary);
        const QByteArray written = writeRvfBytes(doc, save);
        RVDocument again;
        QTextCursor a(again.textDocument());
        if (!readRvfBytes(again, a, written, TRVFOptions::defaults(), RvfReadMode::Load, &error))
            std::abort(); // our own output must always read without complaint
    }
    return 0;
}
