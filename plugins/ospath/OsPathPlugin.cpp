// Inserts the path of the operating system's own folder: /usr, the tree that holds the installed
// system's programs, libraries and data, as the Windows directory does on Windows.
#include "DeliveredPlugin.h"
#include "FolderPathPlugin.h"

using namespace tavlen::literals;

namespace {

constexpr auto kCaption = "Директория Windows"_cp1251;
constexpr auto kDescription = "Выдаёт адрес папки Windows"_cp1251;
constexpr auto kTooLong = "Адрес папки системы слишком длинный!"_cp1251;
constexpr auto kUnavailable = "Не удалось узнать адрес папки системы!"_cp1251;

constexpr char kSystemFolder[] = "/usr";

char pathBuffer[261];

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
        return folderpath::handOver(pathBuffer, std::string(kSystemFolder),
                                    {kTooLong.data(), kUnavailable.data()}, SelText, ErrorText);
    });
}
