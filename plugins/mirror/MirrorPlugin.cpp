// Writes the selection backwards, byte by byte; line breaks turn round with everything else.
#include "DeliveredPlugin.h"

#include <string>

using namespace tavlen::literals;

namespace {

constexpr auto kCaption = "Перевёртыш"_cp1251;
constexpr auto kDescription = "Выделенный текст записывается в обратном порядке"_cp1251;
constexpr auto kNoSelection = "Для выполнения необходимо выделить текст!"_cp1251;

// The returned text; the library's own until Tavlen unloads it.
std::string reversed;

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
        const std::string_view selection = tavlen::textOf(SelText);
        if (selection.empty()) {
            tavlen::setText(ErrorText, kNoSelection.data());
            return TAVLEN_FAILED;
        }
        reversed.assign(selection.rbegin(), selection.rend());
        tavlen::setText(SelText, reversed.data());
        return TAVLEN_SELECTION_RESULT;
    });
}
