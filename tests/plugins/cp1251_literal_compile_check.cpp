// Compiled twice by the tests: as it stands it must compile; with NOT_IN_CODE_PAGE defined it must
// not, because the code page has no Japanese.
#include "TavlenPluginCpp.h"

using namespace tavlen::literals;

#ifdef NOT_IN_CODE_PAGE
constexpr auto kText = "日本"_cp1251;
#else
constexpr auto kText = "Русский"_cp1251;
#endif

int main()
{
    return kText[0] == '\0';
}
