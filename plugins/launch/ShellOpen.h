#pragma once
// Opening a text the way the desktop shell would: a program name found on PATH is started,
// anything else (a document, a folder, a web address) goes to the desktop's opener, xdg-open.

#include <string>

namespace shellopen {

// `target` is UTF-8 and used exactly as given: no trimming, no splitting into arguments. Returns
// once the program or the opener has been started (or could not be); it never waits for it.
void open(const std::string &target);

} // namespace shellopen
