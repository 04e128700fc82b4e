#pragma once
// Drives one plug-in library the way the host does: through dlopen and the three entry points,
// copying every returned text up to its first zero byte.

#include "TavlenPlugin.h"

#include <array>
#include <optional>
#include <string>

// Where the build puts the delivered plug-ins and the test plug-ins.
std::string deliveredPluginPath(const std::string &name);
std::string fixturePluginPath(const std::string &name);

// True while a library at `path` is mapped into this process.
bool isLoaded(const std::string &path);

struct PluginInfoTexts {
    int32_t result = -1;
    std::array<std::string, 6> texts; // Name, Author, Version, EMail, HomePage, Description
};

struct HandleDataOutcome {
    int32_t result = -1;
    std::string selection;          // what SelText refers to afterwards ("" for a null pointer)
    bool selectionUntouched = false; // SelText still refers to the host's own copy
    std::string document;
    bool documentUntouched = false;
    std::optional<std::string> error; // nothing while ErrorText stayed null
};

class LoadedPlugin {
public:
    explicit LoadedPlugin(const std::string &path);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin &) = delete;
    LoadedPlugin &operator=(const LoadedPlugin &) = delete;

    bool loaded() const { return library != nullptr; }
    const std::string &loadError() const { return error; }
    bool exports(const char *name) const;

    std::string caption() const;
    PluginInfoTexts info(TavlenOwner owner = 0) const;
    HandleDataOutcome handle(const std::string &selection, const std::string &document = {},
                             TavlenOwner owner = 0) const;
    // As handle(), but SelText refers to a null pointer, as a careless host might pass.
    HandleDataOutcome handleNullSelection() const;

private:
    HandleDataOutcome call(char *selection, char *document, TavlenOwner owner) const;

    std::string path;
    std::string error;
    void *library = nullptr;
};
