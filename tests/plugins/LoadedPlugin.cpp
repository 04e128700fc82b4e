#include "LoadedPlugin.h"

#include <dlfcn.h>

std::string deliveredPluginPath(const std::string &name)
{
    return std::string(TAVLEN_BUILD_DIR) + "/plugins/" + name + ".so";
}

std::string fixturePluginPath(const std::string &name)
{
    return std::string(TAVLEN_BUILD_DIR) + "/tests/plugin-fixtures/" + name + ".so";
}

bool isLoaded(const std::string &path)
{
    void *probe = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (probe)
        dlclose(probe);
    return probe != nullptr;
}

LoadedPlugin::LoadedPlugin(const std::string &path) : path(path)
{
    library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        error = dlerror();
}

LoadedPlugin::~LoadedPlugin()
{
    if (library)
        dlclose(library);
}

bool LoadedPlugin::exports(const char *name) const
{
    return library && dlsym(library, name);
}

namespace {

template <typename Function>
Function entryPoint(void *library, const char *name)
{
    return library ? reinterpret_cast<Function>(dlsym(library, name)) : nullptr;
}

std::string copied(const char *text)
{
    return text ? std::string(text) : std::string();
}

} // namespace

std::string LoadedPlugin::caption() const
{
    const auto getMenuCaption = entryPoint<TavlenGetMenuCaptionFn>(library, TAVLEN_GET_MENU_CAPTION);
    return getMenuCaption ? copied(getMenuCaption()) : std::string();
}

PluginInfoTexts LoadedPlugin::info(TavlenOwner owner) const
{
    PluginInfoTexts info;
    const auto getPluginInfo = entryPoint<TavlenGetPluginInfoFn>(library, TAVLEN_GET_PLUGIN_INFO);
    if (!getPluginInfo)
        return info;
    std::array<char *, 6> texts{};
    info.result = getPluginInfo(owner, &texts[0], &texts[1], &texts[2], &texts[3], &texts[4],
                                &texts[5]);
    for (std::size_t i = 0; i < texts.size(); ++i)
        info.texts[i] = copied(texts[i]);
    return info;
}

HandleDataOutcome LoadedPlugin::handle(const std::string &selection, const std::string &document,
                                       TavlenOwner owner) const
{
    std::string selectionCopy = selection;
    std::string documentCopy = document;
    return call(selectionCopy.data(), documentCopy.data(), owner);
}

HandleDataOutcome LoadedPlugin::handleNullSelection() const
{
    std::string documentCopy;
    return call(nullptr, documentCopy.data(), 0);
}

HandleDataOutcome LoadedPlugin::call(char *selection, char *document, TavlenOwner owner) const
{
    HandleDataOutcome outcome;
    const auto handleData = entryPoint<TavlenHandleDataFn>(library, TAVLEN_HANDLE_DATA);
    if (!handleData)
        return outcome;
    char *selText = selection;
    char *docText = document;
    char *errorText = nullptr;
    outcome.result = handleData(owner, path.c_str(), &selText, &docText, &errorText);
    outcome.selection = copied(selText);
    outcome.selectionUntouched = selText == selection;
    outcome.document = copied(docText);
    outcome.documentUntouched = docText == document;
    if (errorText)
        outcome.error = errorText;
    return outcome;
}
