#include "TextTestSupport.h"

#include "Cp1251.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

std::string w(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
        for (std::size_t k = 1; k <= extra; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8.at(i + k)) & 0x3F);
        bool representable = false;
        out += cp1251::fromUnicode(c > 0xFFFF ? 0xFFFF : static_cast<char16_t>(c), &representable);
        if (!representable)
            throw std::invalid_argument("test text has a character outside Windows-1251");
        i += extra + 1;
    }
    return out;
}

std::string bytes(std::initializer_list<unsigned> values)
{
    std::string out;
    for (const unsigned v : values)
        out += static_cast<char>(v);
    return out;
}

std::string byteRange(unsigned first, unsigned last)
{
    std::string out;
    for (unsigned b = first; b <= last; ++b)
        out += static_cast<char>(b);
    return out;
}

std::string expectedData(const std::string &name)
{
    std::ifstream in(std::string(TAVLEN_TEST_DATA) + "/text/" + name, std::ios::binary);
    if (!in)
        throw std::runtime_error("missing test data " + name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
