#pragma once
// Letter-case changes of Windows-1251 texts. Every function returns a text of the input's length,
// byte i of the result standing for byte i of the input.

#include <cstdint>
#include <string>
#include <string_view>

// The 33 Russian letters (ё after е) and the 26 Latin ones, lower and upper case, paired by position.
std::string_view LowerLetters();
std::string_view UpperLetters();

std::string UpperCaseText(const std::string &text);
std::string LowerCaseText(const std::string &text);
std::string InvertCaseText(const std::string &text);
// Each character is drawn upper or lower case on its own, from the program's one random source.
std::string RandomCaseText(const std::string &text);
// The first character up, everything after it down.
std::string FirstUpText(const std::string &text);
// The first non-blank character and the first character after each full stop and its blanks up.
std::string PhraseFirstUpText(const std::string &text);
// The first character of every blank-separated word up.
std::string WordFirstUpText(const std::string &text);

// The random source is seeded from the clock on first use; seeding it again makes RandomCaseText
// repeatable (tests, reproducible batch runs).
void SeedTextRandom(std::uint64_t seed);
