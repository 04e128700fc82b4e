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
