#pragma once
// How names and values are spelled in the program's INI files. The files are 8-bit Windows-1251
// text; these helpers are shared by the general INI access and by the placement store.

#include "RVStyle.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <string>
#include <string_view>

namespace inivalue {

// Decimal with an optional minus sign, or hexadecimal after "0x", "0X" or "$" (at least one digit;
// up to 32 bits, taken as the bit pattern, so 0xFFFFFFFF is -1). Anything else is no number.
std::optional<qint32> parseInteger(std::string_view text);

// A colour is stored as an integer in either spelling: 0x00BBGGRR, 0xFF0000nn for system colour
// nn, 0x1FFFFFFF for no colour.
std::optional<RVColor> parseColor(std::string_view text);

std::string integerText(qint32 value);
std::string boolText(bool value);

// Blanks and control characters cut from both ends, as around names and values.
std::string_view trimmed(std::string_view text);

// Name comparison without regard to letter case, Cyrillic letters of the code page included.
bool sameName(std::string_view a, std::string_view b);

// Bytes of the file as text and back. Every byte has its own character, so reading never loses
// anything; characters outside the code page are written as '?'.
QString fromIniText(std::string_view bytes);
// The text as it goes into one line of the file. Whatever follows a line break is dropped: a value
// holding a break (a file name can) would otherwise forge entries or sections of its own.
std::string toIniText(const QString &text);

} // namespace inivalue
