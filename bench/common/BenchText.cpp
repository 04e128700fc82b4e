#include "BenchText.h"

#include "Cp1251.h"

#include <array>
#include <random>
#include <string_view>

namespace benchtext {
namespace {

constexpr std::array<std::u16string_view, 24> kRussian = {
    u"привет", u"мир", u"ёлка", u"Москва", u"текст", u"редактор", u"строка", u"объём", u"щука", u"хлеб",
    u"Жёлтый", u"ЮГ", u"съезд", u"шёпот", u"часы", u"Эхо", u"подъезд", u"книга", u"ЯБЛОКО", u"река",
    u"время", u"город", u"ночь", u"Фёдор"};
constexpr std::array<std::u16string_view, 16> kEnglish = {
    u"hello", u"world", u"Editor", u"text", u"LINE", u"window", u"file", u"Quick", u"brown", u"fox",
    u"jumps", u"over", u"lazy", u"dog", u"Sort", u"case"};

std::string word(std::mt19937 &random)
{
    if (random() % 3 == 0)
        return cp1251::encode(kEnglish[random() % kEnglish.size()]);
    return cp1251::encode(kRussian[random() % kRussian.size()]);
}

} // namespace

std::string sampleText(std::size_t bytes)
{
    std::mt19937 random(20240601);
    std::string out;
    out.reserve(bytes + 64);
    std::size_t lineStart = 0;
    while (out.size() < bytes) {
        out += word(random);
        switch (random() % 10) {
        case 0: out += ", "; break;
        case 1: out += ". "; break;
        case 2: out += ' ' + std::to_string(random() % 1000) + ' '; break;
        default: out += ' '; break;
        }
        if (out.size() - lineStart > 70) {
            out += "\r\n";
            lineStart = out.size();
        }
    }
    out.resize(bytes);
    return out;
}

std::string sampleLines(std::size_t count)
{
    std::mt19937 random(7);
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned words = 1 + random() % 4;
        for (unsigned k = 0; k < words; ++k) {
            if (k != 0)
                out += ' ';
            out += word(random);
        }
        out += "\r\n";
    }
    return out;
}

std::string editorDocument()
{
    std::mt19937 random(1);
    std::string out;
    out.reserve(8u << 20);
    for (int line = 0; line < 200000; ++line) {
        const std::size_t lineEnd = out.size() + 40;
        while (out.size() < lineEnd) {
            out += word(random);
            out += ' ';
        }
        out += "\r\n";
    }
    return out;
}

} // namespace benchtext
