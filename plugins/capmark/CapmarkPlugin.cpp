// Writes the inside of every markup tag in capitals (attribute values included) and leaves the text
// between tags and whole comments as they are. Only the ASCII letters change.
#include "DeliveredPlugin.h"

#include <string>

namespace {

constexpr char kCaption[] = "Capmark Case";
constexpr char kDescription[] = "All tags convert to upper case";
constexpr char kNoSelection[] = "Please select text!";

// The returned text; the library's own until Tavlen unloads it.
std::string capitalised;

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string tagsToUpper(std::string_view text)
{
    constexpr auto npos = std::string_view::npos;
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    for (;;) {
        const std::size_t open = text.find('<', i);
        if (open == npos)
            break;
        out += text.substr(i, open - i);
        i = open;
        if (text.substr(open, 4) == "<!--") {
            // Searched from the comment's own "<", so "<!-->" is a complete comment.
            const std::size_t close = text.find("-->", open);
            if (close == npos)
                break;
            out += text.substr(open, close + 3 - open);
            i = close + 3;
        } else {
            const std::size_t close = text.find('>', open);
            if (close == npos)
                break;
            for (std::size_t k = open; k <= close; ++k)
                out += asciiUpper(text[k]);
            i = close + 1;
        }
    }
    // No further tag, or an unfinished tag or comment: the rest is copied unchanged.
    out += text.substr(i);
    return out;
}

} // namespace

extern "C" const char *GetMenuCaption()
{
    return kCaption;
}

extern "C" int32_t GetPluginInfo(TavlenOwner, char **Name, char **Author, char **Version,
                                 char **EMail, char **HomePage, char **Description)
{
    return tavlen::writePluginInfo(delivered::info(kCaption, "1.0", kDescription), Name, Author,
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
        capitalised = tagsToUpper(selection);
        tavlen::setText(SelText, capitalised.data());
        return TAVLEN_SELECTION_RESULT;
    });
}
