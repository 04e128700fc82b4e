#pragma once
// Helpers for writing Windows-1251 test texts in readable UTF-8 and for reading the expected bytes.

#include <initializer_list>
#include <string>
#include <string_view>

// The Windows-1251 bytes of a UTF-8 text; throws if a character has no byte in the code page.
std::string w(std::string_view utf8);

// The given byte values as a string.
std::string bytes(std::initializer_list<unsigned> values);

// Bytes first..last inclusive.
std::string byteRange(unsigned first, unsigned last);

// A file of tests/data/text, read whole; throws if it is missing.
std::string expectedData(const std::string &name);
