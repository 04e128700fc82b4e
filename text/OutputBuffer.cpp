#include "OutputBuffer.h"

#include <cstdint>

#include <sys/mman.h>

namespace textmap {
namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

// Only whole huge pages inside the buffer are marked; the hint changes nothing but page size.
void hintHugePages(std::string &buffer, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    if (bytes < 2 * kHugePage)
        return;
    const auto start = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (start + kHugePage - 1) & ~std::uintptr_t(kHugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~std::uintptr_t(kHugePage - 1);
    if (first < end)
        madvise(reinterpret_cast<void *>(first), end - first, MADV_HUGEPAGE);
#else
    (void)buffer;
    (void)bytes;
#endif
}

} // namespace

std::string reservedOutput(std::size_t bytes)
{
    std::string out;
    out.reserve(bytes);
    hintHugePages(out, bytes);
    return out;
}

std::string sizedOutput(std::size_t bytes)
{
    std::string out = reservedOutput(bytes);
    out.resize(bytes);
    return out;
}

std::string copiedOutput(const std::string &text)
{
    std::string out = reservedOutput(text.size());
    out.append(text);
    return out;
}

} // namespace textmap
