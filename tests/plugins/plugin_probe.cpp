// Loads a plug-in the way Tavlen does and prints what each entry point returned, one line each:
//   plugin_probe LIBRARY SELECTION
// Used to check that a plug-in built from the documentation really works.
#include "LoadedPlugin.h"

#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: plugin_probe LIBRARY SELECTION\n";
        return 2;
    }
    const LoadedPlugin plugin(argv[1]);
    if (!plugin.loaded()) {
        std::cerr << plugin.loadError() << '\n';
        return 1;
    }
    for (const char *entry : {TAVLEN_GET_MENU_CAPTION, TAVLEN_GET_PLUGIN_INFO, TAVLEN_HANDLE_DATA}) {
        if (!plugin.exports(entry)) {
            std::cerr << "missing entry point " << entry << '\n';
            return 1;
        }
    }
    std::cout << "caption: " << plugin.caption() << '\n';
    const PluginInfoTexts info = plugin.info();
    std::cout << "info: " << info.result;
    for (const std::string &text : info.texts)
        std::cout << " | " << text;
    std::cout << '\n';
    const HandleDataOutcome outcome = plugin.handle(argv[2], "the whole document");
    std::cout << "result: " << outcome.result << '\n'
              << "selection: " << outcome.selection << '\n'
              << "error: " << outcome.error.value_or("(none)") << '\n';
    return 0;
}
