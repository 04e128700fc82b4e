#pragma once
// The integer-conversion error of the decimal number commands.

#include <stdexcept>
#include <string>

class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
