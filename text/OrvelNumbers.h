#pragma once
// Unsigned numbers written in base 10, 16, 2 or 8 and rewritten in another base. Decimal values are
// 32-bit; hexadecimal, binary and octal texts are read as 32-bit two's complement.

#include "EConvertError.h"

#include <cstdint>
#include <string>

enum TNumberKind { nkDecimal, nkHex, nkBinary, nkOctal };

// True when every character, upper-cased by the ASCII rule, is a digit of `kind`; true for "".
bool IsNumberText(const std::string &text, TNumberKind kind);

// Decimal digits (any number of leading zeros) to a value 0..2147483647. Throws EConvertError
// "'<text>' is not a valid integer value" for an empty text, a non-digit or a larger value.
std::int32_t StrToInt(const std::string &text);

// Digits without leading zeros; "0" for 0. A negative value is written as its 32-bit pattern.
std::string DecToBin(std::int32_t value);
std::string DecToHex(std::int32_t value); // lower-case digits
std::string DecToOct(std::int32_t value);

// The value modulo 2^32 read as signed (bits above the 32nd are dropped); 0 when a character is
// not a digit of the base.
std::int32_t HexToDec(const std::string &text);
std::int32_t BinToDec(const std::string &text);
std::int32_t OctToDec(const std::string &text);

// Four binary digits per hexadecimal digit, leading zeros kept; "0" when a character is not a
// hexadecimal digit; "" for "".
std::string HexToBin(const std::string &text);
// One lower-case hexadecimal digit per four binary digits, counted from the right; "0" for "0" or
// when a character is not 0 or 1; "" for "".
std::string BinToHex(const std::string &text);
