#pragma once
// The error log: every error that escapes a command is appended to "tavlen_errors.log" in the
// program's folder as one record, and the program carries on. Nothing is shown to the user.

#include <QDateTime>
#include <QString>
#include <exception>
#include <string>

struct ErrorRecordFields {
    QDateTime when;
    std::string typeName;
    std::string moduleName;
    unsigned long long address = 0;
    std::string message; // UTF-8
};

// The record as it is written: date and time, ". ", the standard "Exception … in module … at …."
// line, the message with a closing full stop, and an empty line; never more than 512 bytes.
std::string formatErrorRecord(const ErrorRecordFields &fields);

// The fields of a caught error: its type name, where it was thrown, its message.
ErrorRecordFields describeError(std::exception_ptr error, const QDateTime &when);

// Appends the record of `error` to the log file. A log that cannot be written is skipped: losing a
// record must never end the program.
void appendErrorRecord(const QString &logPath, std::exception_ptr error);
