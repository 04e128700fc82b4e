#include "TallyStatistics.h"

#include "TavlenPluginCpp.h"

#include <algorithm>

using namespace tavlen::literals;

namespace tally {
namespace {

// Only these two bytes separate words: the LF of a CR LF belongs to the word that follows it, so an
// empty line counts as a word made of one LF.
bool isWordDelimiter(char c)
{
    return c == ' ' || c == '\r';
}

std::size_t countWords(std::string_view text)
{
    std::size_t words = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool delimiter = isWordDelimiter(c);
        if (!delimiter && !inWord)
            ++words;
        inWord = !delimiter;
    }
    return words;
}

constexpr auto kTotalLine = "Число знаков (всего): "_cp1251;
constexpr auto kWithoutSpacesLine = "Число знаков (без пробелов): "_cp1251;
constexpr auto kWordsLine = "Число слов: "_cp1251;
constexpr char kLineBreak[] = "\n\r";

} // namespace

TextStatistics countText(std::string_view text)
{
    return {text.size(), text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), ' ')),
            countWords(text)};
}

std::string statisticsMessage(const TextStatistics &statistics)
{
    std::string message = kTotalLine.data();
    message += std::to_string(statistics.characters);
    message += kLineBreak;
    message += kWithoutSpacesLine.data();
    message += std::to_string(statistics.charactersWithoutSpaces);
    message += kLineBreak;
    message += kWordsLine.data();
    message += std::to_string(statistics.words);
    return message;
}

} // namespace tally
