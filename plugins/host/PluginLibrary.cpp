#include "PluginLibrary.h"

#include "PluginFolder.h"

#include <QFile>
#include <dlfcn.h>

PluginLibrary::PluginLibrary(const QString &path)
{
    if (!pluginfolder::isRegularFile(path))
        return;
    // RTLD_NOW: a library with unresolved symbols fails here rather than in the middle of a call.
    // RTLD_LOCAL: one plug-in's symbols never stand in for another's.
    handle_ = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
}

PluginLibrary::~PluginLibrary()
{
    if (handle_)
        dlclose(handle_);
}

void *PluginLibrary::symbol(const char *name) const
{
    return handle_ ? dlsym(handle_, name) : nullptr;
}
