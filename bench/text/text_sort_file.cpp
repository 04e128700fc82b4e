// text_sort_file IN OUT — sorts the lines of a Windows-1251 file least first, as compare-sort.sh
// times it.

#include "HelperFiles.h"
#include "OrvelLines.h"

#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: text_sort_file IN OUT\n";
        return 2;
    }
    try {
        benchtext::writeFile(argv[2], SortLines(benchtext::readFile(argv[1]), soLeastFirst));
    } catch (const std::exception &e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
