#pragma once
// The program's own error types. The error log names an error by its type, so each kind of failure
// has a type of its own.

#include <stdexcept>
#include <string>

class ETavlenError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A document file could not be read.
class ELoadError : public ETavlenError
{
public:
    using ETavlenError::ETavlenError;
};

// A document file could not be written.
class ESaveError : public ETavlenError
{
public:
    using ETavlenError::ETavlenError;
};

// A value outside the range its setting allows (a negative autosave interval).
class ERangeError : public ETavlenError
{
public:
    using ETavlenError::ETavlenError;
};

// A file of the desktop integration could not be written: "Failed to set data for '<file>'".
class EShellIntegrationError : public ETavlenError
{
public:
    using ETavlenError::ETavlenError;
};
