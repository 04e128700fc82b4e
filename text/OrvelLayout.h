#pragma once
// Keyboard-layout repair (text typed with the wrong layout active) and transliteration of Russian
// Windows-1251 text.

#include <array>
#include <string>
#include <string_view>

// The key characters of the Latin and the Russian layout; position i of both is the same key.
// The Russian one ends with ё and Ё, whose key has no partner among the Latin characters.
std::string_view LatinKeys();
std::string_view RussianKeys();

struct TTranslitPair {
    char cyrillic;          // the Windows-1251 byte of the letter
    std::string_view latin; // one or two Latin characters
};

// Searched in this order, so where two letters share a Latin form the earlier one wins.
extern const std::array<TTranslitPair, 66> TranslitTable;

std::string LatToCyr(const std::string &text);
std::string CyrToLat(const std::string &text);
// Russian key characters go Latin and Latin key characters go Russian, in one pass.
std::string SwapLayout(const std::string &text);

std::string Translit(const std::string &text);
// Two-letter Latin forms are matched before one-letter forms, case-sensitively.
std::string Detranslit(const std::string &text);
