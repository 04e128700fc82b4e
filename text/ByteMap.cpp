#include "ByteMap.h"

namespace textmap {
namespace {

// Each round reads eight lookups before storing any of them: the stores may alias the input (in
// place), and in a plain loop that holds every load back behind the previous store.
void mapRange(const unsigned char *in, unsigned char *out, std::size_t n, const ByteTable &table)
{
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const unsigned char b0 = table[in[i]], b1 = table[in[i + 1]], b2 = table[in[i + 2]],
                            b3 = table[in[i + 3]], b4 = table[in[i + 4]], b5 = table[in[i + 5]],
                            b6 = table[in[i + 6]], b7 = table[in[i + 7]];
        out[i] = b0;
        out[i + 1] = b1;
        out[i + 2] = b2;
        out[i + 3] = b3;
        out[i + 4] = b4;
        out[i + 5] = b5;
        out[i + 6] = b6;
        out[i + 7] = b7;
    }
    for (; i < n; ++i)
        out[i] = table[in[i]];
}

} // namespace

void mapBytesInPlace(std::string &text, const ByteTable &table)
{
    auto *bytes = reinterpret_cast<unsigned char *>(text.data());
    mapRange(bytes, bytes, text.size(), table);
}

std::string mapBytes(const std::string &text, const ByteTable &table)
{
    return sameLengthResult(text, [&table](const unsigned char *in, std::size_t begin, std::size_t length, unsigned char *chunk) {
        mapRange(in + begin, chunk, length, table);
    });
}

} // namespace textmap
