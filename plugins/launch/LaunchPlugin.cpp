// Hands the selection to the desktop to be opened (a program, a document, a web address) and leaves
// the text where it was, whatever the desktop made of it.
#include "DeliveredPlugin.h"
#include "ShellOpen.h"

using namespace tavlen::literals;

namespace {

constexpr auto kCaption = "Быстрый вызов"_cp1251;
constexpr auto kDescription = "Вызов программ, сайтов и т.д. Выделите текст и включите плагин."_cp1251;
constexpr auto kNoSelection = "Для выполнения необходимо выделить текст!"_cp1251;

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
        // File names and addresses are UTF-8 here; the selection is taken exactly as selected.
        shellopen::open(tavlen::cp1251::toUtf8(selection));
        return TAVLEN_SELECTION_RESULT;
    });
}
