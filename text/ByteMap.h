#pragma once
// The engine of every length-preserving transform: one 256-entry table, one pass over the bytes.

#include "OutputBuffer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace textmap {

using ByteTable = std::array<unsigned char, 256>;

// The table that leaves every byte as it is; transforms start from it and change their own bytes.
constexpr ByteTable identityTable()
{
    ByteTable table{};
    for (unsigned b = 0; b < table.size(); ++b)
        table[b] = static_cast<unsigned char>(b);
    return table;
}

void mapBytesInPlace(std::string &text, const ByteTable &table);
std::string mapBytes(const std::string &text, const ByteTable &table);

constexpr std::size_t kChunkBytes = 16384;

// A result as long as `text`, made chunk by chunk in a small buffer that stays in the cache:
// fill(in, begin, length, chunk) writes the results for input positions begin..begin+length-1 to
// chunk[0..length-1], `in` being the whole input. Chunks begin at multiples of kChunkBytes.
template <typename Fill>
std::string sameLengthResult(const std::string &text, Fill fill)
{
    std::string out = reservedOutput(text.size());
    std::array<unsigned char, kChunkBytes> chunk;
    const auto *in = reinterpret_cast<const unsigned char *>(text.data());
    for (std::size_t begin = 0; begin < text.size(); begin += kChunkBytes) {
        const std::size_t length = std::min(kChunkBytes, text.size() - begin);
        fill(in, begin, length, chunk.data());
        out.append(reinterpret_cast<const char *>(chunk.data()), length);
    }
    return out;
}

} // namespace textmap
