#pragma once
// Repair of Russian text that was written in KOI8-R or DOS code page 866 but read as Windows-1251.

#include <array>
#include <string>

// Bytes 80..FF of a KOI8-R, respectively code page 866, text mapped to Windows-1251; indexed by the
// byte minus 80. Besides the letters they also carry symbols and turn box drawing into ASCII.
extern const std::array<unsigned char, 128> KoiRepairTable;
extern const std::array<unsigned char, 128> DosRepairTable;

// What the bytes of `text` most likely are: 0 leave it (Windows-1251 or no Russian at all),
// 1 KOI8-R, 2 DOS.
int DetectCoding(const std::string &text);

std::string RepairKoi(const std::string &text);
std::string RepairDos(const std::string &text);
