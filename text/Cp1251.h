#pragma once
// The Windows-1251 code page, the 8-bit encoding of every text the editor hands out to the text
// tools and plug-ins. Byte 0x98, which the code page leaves undefined, maps to U+0098 and back,
// so that any byte sequence survives a decode/encode round trip unchanged.

#include <cstddef>
#include <string>
#include <string_view>

namespace cp1251 {

// The Unicode code unit of one Windows-1251 byte.
char16_t toUnicode(unsigned char byte);

// The Windows-1251 byte of a UTF-16 code unit, or '?' when the code page has no such character.
// `representable` (optional) tells which of the two it was.
char fromUnicode(char16_t unit, bool *representable = nullptr);

// Whole-string forms.
std::u16string decode(std::string_view bytes);
std::string encode(std::u16string_view units);

} // namespace cp1251
