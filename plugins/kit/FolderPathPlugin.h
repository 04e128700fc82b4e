#pragma once
// The one implementation behind the four plug-ins that insert a folder's path: they differ only in
// the folder they ask for, the size of their path buffer and their texts.

#include "TavlenPlugin.h"

#include <optional>
#include <span>
#include <string>

namespace folderpath {

// The messages a folder plug-in returns when it cannot hand over a path, in its own language.
struct Messages {
    const char *tooLong;     // the path does not fit the plug-in's buffer
    const char *unavailable; // the system gave no path, or one the editor's code page cannot hold
};

// Puts `path` (UTF-8, as the system gives it; nothing when the system gave none) into `buffer` as
// Windows-1251 text and hands it over as the selection result. A path that does not fit, terminating
// zero included, is refused rather than cut: a truncated path names some other folder.
int32_t handOver(std::span<char> buffer, const std::optional<std::string> &path,
                 const Messages &messages, char **SelText, char **ErrorText);

} // namespace folderpath
