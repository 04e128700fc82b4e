#pragma once
// The single-byte Windows code pages RTF files name for their 8-bit text (\ansicpg, \fcharset):
// 874 and 1250 to 1258, Windows-1251 taken from the editor's own table.

namespace rtfcp {

bool isSupported(int codePage);
// Bytes below 0x80 are ASCII in every one of them. An unsupported code page reads as 1251.
char16_t toUnicode(int codePage, unsigned char byte);
// False (and '?') when the code page has no such character.
bool fromUnicode(int codePage, char16_t unit, char &byte);

// The code page of a font's character set; 0 for sets that defer to the document's code page.
int codePageOfCharset(int charset);

} // namespace rtfcp
