// Writes the benchmark's RTF sample: rtf_make_sample OUTPUT BYTES
#include "RtfSample.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rtf_make_sample OUTPUT BYTES\n");
        return 2;
    }
    const std::string rtf = makeRtfSample(std::strtoull(argv[2], nullptr, 10));
    FILE *f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(rtf.data(), 1, rtf.size(), f) != rtf.size() || std::fclose(f) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
