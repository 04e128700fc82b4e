#pragma once
// The upper halves of the DOS (IBM 866), KOI8-R (RFC 1489) and ISO/IEC 8859-5 code pages; the lower
// halves are ASCII in all of them. Windows-1251 lives in Cp1251.h.

#include <array>

namespace codepages {

extern const std::array<char16_t, 128> kCp866High;
extern const std::array<char16_t, 128> kKoi8RHigh;
extern const std::array<char16_t, 128> kIso88595High;

} // namespace codepages
