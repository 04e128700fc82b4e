#pragma once
// The document model as records of the native format: what a save writes (the options decide which
// parts) and how the records of a file come back into a document. The binary form, the text form,
// the XML form and the clipboard all go through here.

#include "RVFOptions.h"
#include "RvfRecords.h"

#include <memory>

class QTextCursor;
class RVDocument;

// Hands the document's records to the encoder, closing with the end record.
void writeRvfRecords(const RVDocument &doc, const TRVFOptions &options, RvfEncoder &out);

enum class RvfReadMode {
    Load,  // a whole file: its style sheet replaces the document's; background, layout and properties as the options say
    Paste, // into a document at a cursor: the file's styles are added if needed; the document keeps its own settings
};

// Feeds records into a document at a cursor (Load: the end of the document, without undo). Paragraphs
// go in as they are read, so a large file never stands in memory twice; whatever was read before an
// error stays in the document. The cursor must outlive the reader.
class RvfDocumentReader
{
public:
    RvfDocumentReader(RVDocument &doc, QTextCursor &cursor, const TRVFOptions &options, RvfReadMode mode);
    ~RvfDocumentReader();
    RvfDocumentReader(const RvfDocumentReader &) = delete;
    RvfDocumentReader &operator=(const RvfDocumentReader &) = delete;

    bool record(const RvfRecord &record, QString *error);
    RvfRecordSink sink()
    {
        return [this](const RvfRecord &r, QString *error) { return record(r, error); };
    }
    // Puts the rest of what was read into the document; false when the file ended without its end record.
    bool finish(QString *error);

private:
    struct State;
    std::unique_ptr<State> d_;
};

// Decodes native-format bytes (either form) into the document.
bool readRvfBytes(RVDocument &doc, QTextCursor &cursor, const QByteArray &bytes, const TRVFOptions &options,
                  RvfReadMode mode, QString *error);
// Encodes the document in the form SaveBinary chooses.
QByteArray writeRvfBytes(const RVDocument &doc, const TRVFOptions &options);
