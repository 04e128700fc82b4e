// Removes every plain space (32) from the selection; tabs, line breaks and no-break spaces stay.
#include "DeliveredPlugin.h"

#include <string>

namespace {

constexpr char kCaption[] = "Delete alle spaces";
constexpr char kName[] = "Delete spaces";
constexpr char kDescription[] = "It deletes alle spaces in text.";
constexpr char kNoSelection[] = "Unknown error!";

// The returned text; the library's own until Tavlen unloads it.
std::string squeezed;

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
        const std::string_view selection = tavlen::textOf(SelText);
        if (selection.empty()) {
            tavlen::setText(ErrorText, kNoSelection);
            return TAVLEN_FAILED;
        }
        squeezed.assign(selection);
        std::erase(squeezed, ' ');
        // A selection of nothing but spaces comes back empty, which removes it.
        tavlen::setText(SelText, squeezed.data());
        return TAVLEN_SELECTION_RESULT;
    });
}
