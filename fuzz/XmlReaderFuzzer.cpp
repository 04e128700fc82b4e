// Feeds arbitrary bytes to the XML reader, then writes what it read and reads that back: nothing may
// crash, hang, reach outside the file or grow without bound, and our own output must always read.

#include "RVDocument.h"
#include "XmlFormat.h"

#include <QGuiApplication>
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
    RVDocument doc;
    QString error;
    rvformats::readXml(doc, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)),
                       TRVFOptions::defaults(), &error);

    const QByteArray written = rvformats::writeXml(doc, TRVFOptions::defaults());
    RVDocument again;
    if (!rvformats::readXml(again, written, TRVFOptions::defaults(), &error))
        std::abort(); // our own output must read without complaint
    return 0;
}
