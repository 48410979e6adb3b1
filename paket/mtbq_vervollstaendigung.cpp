// Writes mtbq's bash completion, from its table of options, to the file named.
#include "mtbq/optionen.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("Aufruf: mtbq_vervollstaendigung DATEI\n", stderr);
        return 2;
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    const std::string text = mtbq::bashVervollstaendigung();
    const bool gut = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (!f || std::fclose(f) != 0 || !gut) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
