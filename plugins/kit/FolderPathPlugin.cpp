#include "FolderPathPlugin.h"

#include "TavlenPluginCpp.h"

#include <algorithm>

namespace folderpath {

int32_t handOver(std::span<char> buffer, const std::optional<std::string> &path,
                 const Messages &messages, char **SelText, char **ErrorText)
{
    const auto text = path ? tavlen::cp1251::fromUtf8(*path) : std::nullopt;
    if (!text || text->empty()) {
        tavlen::setText(ErrorText, messages.unavailable);
        return TAVLEN_FAILED;
    }
    if (text->size() >= buffer.size()) {
        tavlen::setText(ErrorText, messages.tooLong);
        return TAVLEN_FAILED;
    }
    std::copy(text->begin(), text->end(), buffer.begin());
    buffer[text->size()] = '\0';
    tavlen::setText(SelText, buffer.data());
    return TAVLEN_SELECTION_RESULT;
}

} // namespace folderpath
