#pragma once
// One plug-in library, loaded for the lifetime of this object. The host never keeps a plug-in
// loaded between two operations, so every operation makes one of these and lets it go.

#include <QString>

class PluginLibrary
{
public:
    // Loads the library at `path`. Only a regular file is loaded: opening a FIFO or a device that
    // happens to carry a plug-in's name would block or read forever.
    explicit PluginLibrary(const QString &path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary &) = delete;
    PluginLibrary &operator=(const PluginLibrary &) = delete;

    bool isLoaded() const { return handle_ != nullptr; }

    // The exported function `name` as `Fn`; null when the library is not loaded or lacks it.
    template <typename Fn>
    Fn entryPoint(const char *name) const
    {
        return reinterpret_cast<Fn>(symbol(name));
    }

private:
    void *symbol(const char *name) const;

    void *handle_ = nullptr;
};
