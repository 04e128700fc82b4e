#pragma once
// Whole-file reads and atomic whole-file writes shared by the format readers and writers.

#include <QByteArray>
#include <QString>
#include <string_view>

namespace rvformats {

// Reads the whole file. A file that does not exist reads as empty without an error (it is a new
// document); anything else that goes wrong fills `error` and returns false.
bool readWholeFile(const QString &path, QByteArray &bytes, QString *error);

// Writes through a temporary file and renames it over the target, so a failed or interrupted write
// never damages what was there. The file keeps its permissions; a symbolic link keeps pointing at it.
// `inPlaceFallback` allows rewriting the file in place when no temporary file can be created beside
// it (a writable file in a folder that is not): less safe, for small files that must still be saved.
bool writeWholeFile(const QString &path, std::string_view bytes, QString *error, bool inPlaceFallback = false);

} // namespace rvformats
