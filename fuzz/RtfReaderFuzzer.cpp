// Feeds arbitrary bytes to the RTF reader, then writes what it read and reads that back: neither
// may crash, hang or grow without bound, and the writer's output must always be readable.

#include "RVDocument.h"
#include "RtfFormat.h"
#include "RtfWriter.h"

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
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    QString error;
    rvformats::readRtf(doc, bytes, &error);

    const std::string written = writeRtf(doc, QString());
    RVDocument again;
    if (!rvformats::readRtf(again, written, &error))
        std::abort(); // our own output must read without complaint
    return 0;
}
