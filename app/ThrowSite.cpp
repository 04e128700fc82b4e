#include "ThrowSite.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <dlfcn.h>
#include <typeinfo>

namespace {

struct Throw {
    const void *object = nullptr;
    const void *site = nullptr;
};

// A small ring per thread: an escaping error is the latest or close to it.
constexpr std::size_t kRemembered = 16;
thread_local std::array<Throw, kRemembered> recentThrows;
thread_local std::size_t nextSlot = 0;

using CxaThrow = void (*)(void *, std::type_info *, void (*)(void *));

CxaThrow realCxaThrow()
{
    static const CxaThrow real = reinterpret_cast<CxaThrow>(dlsym(RTLD_NEXT, "__cxa_throw"));
    return real;
}

} // namespace

// Interposes the C++ runtime's throw to note the caller's address, then throws as usual.
extern "C" [[noreturn]] void __cxa_throw(void *object, std::type_info *type, void (*destructor)(void *))
{
    recentThrows[nextSlot] = {object, __builtin_return_address(0)};
    nextSlot = (nextSlot + 1) % kRemembered;
    realCxaThrow()(object, type, destructor);
    __builtin_unreachable();
}

ThrowSite throwSiteOf(const void *object)
{
    for (const Throw &t : recentThrows) {
        if (t.object != object || !t.site)
            continue;
        Dl_info info{};
        if (!dladdr(t.site, &info) || !info.dli_fname)
            return {};
        std::string path = info.dli_fname;
        const auto slash = path.find_last_of('/');
        ThrowSite site;
        site.module = slash == std::string::npos ? path : path.substr(slash + 1);
        site.offset = reinterpret_cast<std::uintptr_t>(t.site) - reinterpret_cast<std::uintptr_t>(info.dli_fbase);
        site.known = true;
        return site;
    }
    return {};
}
