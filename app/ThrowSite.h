#pragma once
// Where an exception was thrown: the module (program or library file) and the offset of the throw
// site in it. Every throw in the process is noted as it happens, so the error log can say where an
// error came from, whoever threw it.

#include <string>

struct ThrowSite {
    std::string module;          // file name of the module, without its folder
    unsigned long long offset = 0;
    bool known = false;
};

// The site of the exception object at `object` (the address of the caught exception), if it was
// one of the most recent throws of this thread.
ThrowSite throwSiteOf(const void *object);
