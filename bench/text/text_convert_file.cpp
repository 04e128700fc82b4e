// text_convert_file FROM TO IN OUT — converts a file with TCodeChanger, as compare-iconv.sh times it.
// FROM and TO: oem, win1251, koi8r, iso, utf16, mac.

#include "CodeChanger.h"
#include "HelperFiles.h"

#include <cstring>
#include <iostream>

namespace {

bool parseTable(const char *name, TCodeTable &table)
{
    static const struct {
        const char *name;
        TCodeTable table;
    } kNames[] = {{"oem", ctOem}, {"win1251", ctWin1251}, {"koi8r", ctKoi8R}, {"iso", ctIso}, {"utf16", ctUtf16}, {"mac", ctMac}};
    for (const auto &entry : kNames)
        if (std::strcmp(name, entry.name) == 0) {
            table = entry.table;
            return true;
        }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    TCodeTable from{}, to{};
    if (argc != 5 || !parseTable(argv[1], from) || !parseTable(argv[2], to)) {
        std::cerr << "usage: text_convert_file FROM TO IN OUT (oem, win1251, koi8r, iso, utf16, mac)\n";
        return 2;
    }
    try {
        std::string text = benchtext::readFile(argv[3]);
        TCodeChanger changer;
        changer.SetSourceCode(from);
        changer.SetDestCode(to);
        if (!changer.Change(text)) {
            std::cerr << "conversion failed\n";
            return 1;
        }
        benchtext::writeFile(argv[4], text);
    } catch (const std::exception &e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
