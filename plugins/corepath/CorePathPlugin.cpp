// Inserts the path of the system's library folder: the folder the C library was loaded from (e.g.
// /usr/lib/x86_64-linux-gnu), the place of the Windows system directory's shared libraries.
#include "DeliveredPlugin.h"
#include "FolderPathPlugin.h"

#include <cstdlib>
#include <dlfcn.h>
#include <memory>
#include <unistd.h>

namespace {

constexpr char kCaption[] = "System directory";
constexpr char kName[] = "Get system directory";
constexpr char kDescription[] = "Get system directory name and insert it to text";
constexpr char kTooLong[] = "The system directory name is too long!";
constexpr char kUnavailable[] = "Cannot get the system directory name!";

char pathBuffer[261];

std::optional<std::string> systemLibraryFolder()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&getpid), &info) || !info.dli_fname)
        return std::nullopt;
    const std::string library = info.dli_fname;
    const std::size_t slash = library.rfind('/');
    if (slash == std::string::npos)
        return std::nullopt;
    // Resolved, so that a compatibility link such as /lib -> usr/lib gives the real folder.
    const std::unique_ptr<char, decltype(&std::free)> folder(
        realpath(library.substr(0, slash == 0 ? 1 : slash).c_str(), nullptr), &std::free);
    if (!folder)
        return std::nullopt;
    return std::string(folder.get());
}

} // namespace

extern "C" const char *GetMenuCaption()
{
    return kCaption;
}

extern "C" int32_t GetPluginInfo(TavlenOwner, char **Name, char **Author, char **Version,
                                 char **EMail, char **HomePage, char **Description)
{
    return tavlen::writePluginInfo(delivered::info(kName, "1.0", kDescription), Name, Author,
                                   Version, EMail, HomePage, Description);
}

extern "C" int32_t HandleData(TavlenOwner, const char *, char **SelText, char **, char **ErrorText)
{
    return tavlen::guarded([&] {
        return folderpath::handOver(pathBuffer, systemLibraryFolder(), {kTooLong, kUnavailable},
                                    SelText, ErrorText);
    });
}
