// Inserts the path of the editor's current directory.
#include "DeliveredPlugin.h"
#include "FolderPathPlugin.h"

#include <cstdlib>
#include <memory>
#include <unistd.h>

using namespace tavlen::literals;

namespace {

constexpr auto kCaption = "Текущая директория"_cp1251;
constexpr auto kDescription = "Выдаёт адрес текущей папки"_cp1251;
constexpr auto kTooLong = "Адрес текущей папки слишком длинный!"_cp1251;
constexpr auto kUnavailable = "Не удалось узнать адрес текущей папки!"_cp1251;

char pathBuffer[256];

std::optional<std::string> currentDirectory()
{
    const std::unique_ptr<char, decltype(&std::free)> path(getcwd(nullptr, 0), &std::free);
    if (!path)
        return std::nullopt; // e.g. the directory was removed
    return std::string(path.get());
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
        return folderpath::handOver(pathBuffer, currentDirectory(),
                                    {kTooLong.data(), kUnavailable.data()}, SelText, ErrorText);
    });
}
