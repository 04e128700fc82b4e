#pragma once
// Whole-line tools: sorting lines, rewriting line breaks, and the plain replace-all they build on.

#include <string>

enum TLineBreakKind { lbDos, lbUnix, lbMac }; // CR LF, LF, CR

enum TSortOrder { soLeastFirst, soGreatestFirst };

// The lines of `text` (ended by CR LF, a lone CR or a lone LF) in the given order, each followed by
// CR LF. Lines compare by the Russian locale's collation with letter case ignored (digits, then
// Latin, then Cyrillic); lines that compare equal may come out in either order.
std::string SortLines(const std::string &text, TSortOrder order);

std::string ConvertLineBreaks(const std::string &text, TLineBreakKind kind);

// Every occurrence of `pattern`, found left to right without overlap, replaced; case-sensitive.
// An empty text or an empty pattern gives the text back unchanged.
std::string ReplaceAllText(const std::string &text, const std::string &pattern, const std::string &replacement);
