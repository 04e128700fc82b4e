#pragma once
// What every plug-in delivered with Tavlen says about its origin in the About Plugin box.

#include "TavlenPluginCpp.h"

namespace delivered {

inline constexpr char kAuthor[] = "The Tavlen developers";
inline constexpr char kEMail[] = "plugins@tavlen.example";
inline constexpr char kHomePage[] = "https://tavlen.example/plugins";

constexpr tavlen::PluginInfo info(const char *name, const char *version, const char *description)
{
    return {name, kAuthor, version, kEMail, kHomePage, description};
}

} // namespace delivered
