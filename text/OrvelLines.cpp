#include "OrvelLines.h"

#include "Cp1251.h"
#include "OutputBuffer.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr std::string_view kCRLF = "\r\n";

struct Line {
    std::size_t start;
    std::size_t length;
};

// CR LF is one break; LF CR is two, with an empty line between; a final break opens no new line.
std::vector<Line> splitLines(const std::string &text)
{
    std::vector<Line> lines;
    const std::size_t n = text.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != kCR && c != kLF)
            continue;
        lines.push_back({start, i - start});
        if (c == kCR && i + 1 < n && text[i + 1] == kLF)
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.push_back({start, n - start});
    return lines;
}

struct CollatorCloser {
    void operator()(UCollator *collator) const { ucol_close(collator); }
};

std::unique_ptr<UCollator, CollatorCloser> openLineCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCollator, CollatorCloser> collator(ucol_open("ru", &status));
    if (U_FAILURE(status))
        throw std::runtime_error("The line collation is not available");
    // Secondary strength: letters and accents count, letter case does not.
    ucol_setStrength(collator.get(), UCOL_SECONDARY);
    // The Russian tailoring would move Cyrillic ahead of Latin; users expect digits, Latin, Cyrillic,
    // as the system collations (and `sort` in a Russian locale) order them.
    const int32_t noReordering[] = {UCOL_REORDER_CODE_NONE};
    ucol_setReorderCodes(collator.get(), noReordering, 1, &status);
    if (U_FAILURE(status))
        throw std::runtime_error("The line collation is not available");
    return collator;
}

// A line's collation key sits in one shared arena; its first eight bytes, read big-endian, decide
// most comparisons without leaving the array being sorted. Keys end with their only zero byte.
struct SortEntry {
    std::uint64_t prefix;
    std::size_t keyOffset;
    std::size_t line;
};

// Grows without zero-filling: the keys are written before they are read.
class KeyArena
{
public:
    explicit KeyArena(std::size_t capacity) : m_bytes(new std::uint8_t[capacity]), m_capacity(capacity) {}
    std::uint8_t *at(std::size_t offset) { return m_bytes.get() + offset; }
    const std::uint8_t *data() const { return m_bytes.get(); }
    std::size_t capacity() const { return m_capacity; }
    void grow(std::size_t atLeast, std::size_t used)
    {
        const std::size_t capacity = std::max(m_capacity * 2, atLeast);
        std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[capacity]);
        std::memcpy(bytes.get(), m_bytes.get(), used);
        m_bytes = std::move(bytes);
        m_capacity = capacity;
    }

private:
    std::unique_ptr<std::uint8_t[]> m_bytes;
    std::size_t m_capacity;
};

struct SortKeys {
    KeyArena arena;
    std::vector<SortEntry> entries;
};

SortKeys buildSortKeys(const std::string &text, const std::vector<Line> &lines)
{
    const auto collator = openLineCollator();
    // Three bytes per character covers the usual Russian and English lines in one allocation.
    SortKeys keys{KeyArena(text.size() * 3 + 64), {}};
    keys.entries.reserve(lines.size());
    std::size_t used = 0;
    std::u16string units;
    for (std::size_t l = 0; l < lines.size(); ++l) {
        units.resize(lines[l].length);
        for (std::size_t i = 0; i < lines[l].length; ++i)
            units[i] = cp1251::toUnicode(static_cast<unsigned char>(text[lines[l].start + i]));
        // A line longer than ICU can take in one call is ordered by its first 2^31 - 1 characters.
        const auto length = static_cast<int32_t>(std::min<std::size_t>(units.size(), INT32_MAX));
        int32_t keyLength = 0;
        for (;;) {
            const std::size_t room = keys.arena.capacity() - used;
            const auto capacity = static_cast<int32_t>(std::min<std::size_t>(room, INT32_MAX));
            keyLength = ucol_getSortKey(collator.get(), units.data(), length, keys.arena.at(used), capacity);
            if (keyLength <= capacity)
                break;
            keys.arena.grow(used + static_cast<std::size_t>(keyLength), used);
        }
        if (keyLength <= 0)
            throw std::runtime_error("The line collation failed");
        std::uint64_t prefix = 0;
        for (int32_t k = 0; k < 8; ++k)
            prefix = (prefix << 8) | (k < keyLength ? *keys.arena.at(used + k) : 0);
        keys.entries.push_back({prefix, used, l});
        used += static_cast<std::size_t>(keyLength);
    }
    return keys;
}

} // namespace

std::string SortLines(const std::string &text, TSortOrder order)
{
    const std::vector<Line> lines = splitLines(text);
    SortKeys keys = buildSortKeys(text, lines);
    const std::uint8_t *arena = keys.arena.data();
    const auto less = [arena](const SortEntry &a, const SortEntry &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        if ((a.prefix & 0xFF) == 0) // the key ended inside the prefix, so both keys are equal
            return false;
        return std::strcmp(reinterpret_cast<const char *>(arena + a.keyOffset + 8),
                           reinterpret_cast<const char *>(arena + b.keyOffset + 8)) < 0;
    };
    if (order == soLeastFirst)
        std::sort(keys.entries.begin(), keys.entries.end(), less);
    else
        std::sort(keys.entries.begin(), keys.entries.end(),
                  [&less](const SortEntry &a, const SortEntry &b) { return less(b, a); });

    std::string out = textmap::reservedOutput(text.size() + kCRLF.size() * lines.size());
    for (const SortEntry &entry : keys.entries) {
        const Line &line = lines[entry.line];
        out.append(text, line.start, line.length);
        out.append(kCRLF);
    }
    return out;
}

std::string ConvertLineBreaks(const std::string &text, TLineBreakKind kind)
{
    if (kind == lbUnix)
        return ReplaceAllText(text, std::string(kCRLF), std::string(1, kLF));
    if (kind == lbMac)
        return ReplaceAllText(text, std::string(kCRLF), std::string(1, kCR));

    // Every break that is not already a CR LF pair grows by one byte.
    const std::size_t n = text.size();
    std::size_t grown = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == kCR) {
            if (i + 1 < n && text[i + 1] == kLF)
                ++i;
            else
                ++grown;
        } else if (text[i] == kLF) {
            ++grown;
        }
    }
    if (grown == 0)
        return text;
    std::string out = textmap::sizedOutput(n + grown);
    char *o = out.data();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == kCR || c == kLF) {
            *o++ = kCR;
            *o++ = kLF;
            if (c == kCR && i + 1 < n && text[i + 1] == kLF)
                ++i;
        } else {
            *o++ = c;
        }
    }
    return out;
}

std::string ReplaceAllText(const std::string &text, const std::string &pattern, const std::string &replacement)
{
    if (text.empty() || pattern.empty())
        return text;
    // glibc's memmem is linear in the text whatever the pattern, unlike a find loop.
    const auto next = [&](std::size_t from) -> std::size_t {
        const void *hit = memmem(text.data() + from, text.size() - from, pattern.data(), pattern.size());
        return hit ? static_cast<std::size_t>(static_cast<const char *>(hit) - text.data()) : std::string::npos;
    };

    std::size_t reserve = text.size();
    if (replacement.size() > pattern.size()) {
        std::size_t matches = 0;
        for (std::size_t at = next(0); at != std::string::npos; at = next(at + pattern.size()))
            ++matches;
        reserve += matches * (replacement.size() - pattern.size());
    }
    std::string out = textmap::reservedOutput(reserve);
    std::size_t from = 0;
    for (std::size_t at = next(0); at != std::string::npos; at = next(from)) {
        out.append(text, from, at - from);
        out.append(replacement);
        from = at + pattern.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}
