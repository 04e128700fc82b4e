// Escapes the selection for HTML: & < > become entities and every line break gets a "<br />" in
// front of it. Each input byte is looked at once, so nothing is escaped twice within one run; text
// that is already escaped is escaped once more.
#include "DeliveredPlugin.h"

#include <string>

using namespace tavlen::literals;

namespace {

constexpr auto kCaption = "HTML в текст"_cp1251;
constexpr char kName[] = "Escaper";
constexpr auto kDescription =
    "В выделенном тексте все символы '<' заменяются на &lt;,символы '>' на &gt; и символы '&' на "
    "&amp;. В конце каждой строки вставляется <br />"_cp1251;
constexpr auto kNoSelection = "Для выполнения необходимо выделить текст!"_cp1251;

// The returned text; the library's own until Tavlen unloads it.
std::string escaped;

std::string escapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\r': out += "<br />\r"; break; // the LF after the CR follows unchanged
        default: out += c;
        }
    }
    return out;
}

} // namespace

extern "C" const char *GetMenuCaption()
{
    return kCaption.data();
}

extern "C" int32_t GetPluginInfo(TavlenOwner, char **Name, char **Author, char **Version,
                                 char **EMail, char **HomePage, char **Description)
{
    return tavlen::writePluginInfo(delivered::info(kName, "1.0", kDescription.data()), Name,
                                   Author, Version, EMail, HomePage, Description);
}

extern "C" int32_t HandleData(TavlenOwner, const char *, char **SelText, char **, char **ErrorText)
{
    return tavlen::guarded([&] {
        const std::string_view selection = tavlen::textOf(SelText);
        if (selection.empty()) {
            tavlen::setText(ErrorText, kNoSelection.data());
            return TAVLEN_FAILED;
        }
        escaped = escapeHtml(selection);
        tavlen::setText(SelText, escaped.data());
        return TAVLEN_SELECTION_RESULT;
    });
}
