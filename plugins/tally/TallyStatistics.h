#pragma once
// The counts the text-statistics plug-in reports, and its message. Everything is per byte of the
// Windows-1251 selection: a CR LF line break is two characters.

#include <cstddef>
#include <string>
#include <string_view>

namespace tally {

struct TextStatistics {
    std::size_t characters = 0;
    std::size_t charactersWithoutSpaces = 0; // only the plain space (32) is left out
    std::size_t words = 0;                   // runs of bytes between spaces and CRs
};

TextStatistics countText(std::string_view text);

// The three lines of the statistics box, joined by LF CR, as Windows-1251 bytes.
std::string statisticsMessage(const TextStatistics &statistics);

} // namespace tally
