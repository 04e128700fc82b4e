// Inserts the folder for temporary files, with a trailing separator as the system's temporary
// path traditionally has: $TMPDIR when set, else /tmp.
#include "DeliveredPlugin.h"
#include "FolderPathPlugin.h"

#include <cstdlib>

using namespace tavlen::literals;

namespace {

constexpr auto kCaption = "Временная директория"_cp1251;
constexpr auto kDescription = "Выдаёт адрес временной папки Windows"_cp1251;
constexpr auto kTooLong = "Адрес временной папки слишком длинный!"_cp1251;
constexpr auto kUnavailable = "Не удалось узнать адрес временной папки!"_cp1251;

char pathBuffer[261];

std::string temporaryFolder()
{
    const char *configured = std::getenv("TMPDIR");
    std::string folder = configured && *configured ? configured : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

extern "C" const char *GetMenuCaption()
{
    return kCaption.data();
}

extern "C" int32_t GetPluginInfo(TavlenOwner, char **Name, char **Author, char **Version,
                                 char **EMail, char **HomePage, char **Description)
{
    return tavlen::writePluginInfo(delivered::info(kCaption.data(), "1.0", kDescription.data()),
                                   Name, Author, Version, EMail, HomePage, Description);
}

extern "C" int32_t HandleData(TavlenOwner, const char *, char **SelText, char **, char **ErrorText)
{
    return tavlen::guarded([&] {
        return folderpath::handOver(pathBuffer, temporaryFolder(),
                                    {kTooLong.data(), kUnavailable.data()}, SelText, ErrorText);
    });
}
