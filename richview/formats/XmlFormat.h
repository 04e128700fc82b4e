#pragma once
// The XML form of a document (root element "rvxml", declared encoding windows-1251): the native
// format's records as elements, pictures inside the file. Loading replaces the style sheet and reads
// the background and the page settings, whatever the options say of them; the options still decide
// what becomes of content of unknown kinds.

#include "RVFOptions.h"

#include <QByteArray>
#include <QString>

class RVDocument;

namespace rvformats {

bool loadXml(RVDocument &doc, const QString &path, int textStyle, int paraStyle, const TRVFOptions &options,
             QString *error);
bool saveXml(const RVDocument &doc, const QString &path, const TRVFOptions &options, QString *error);

// The same on bytes in memory (the document is appended to).
bool readXml(RVDocument &doc, const QByteArray &bytes, const TRVFOptions &options, QString *error);
QByteArray writeXml(const RVDocument &doc, const TRVFOptions &options);

} // namespace rvformats
