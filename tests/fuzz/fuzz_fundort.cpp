// Records from any bytes: never a crash; a record that is accepted has
// exactly 14 columns and one line end, whatever the fields held.
#include "records/fundortformat.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string ein(reinterpret_cast<const char*>(daten), n);
    const std::string c = fundort::zuCp1252(ein);
    // A TAB, CR or LF comes out only where the bytes held one.
    for (char z : {'\t', '\r', '\n'})
        if (std::count(c.begin(), c.end(), z) != std::count(ein.begin(), ein.end(), z))
            std::abort();
    fundort::Datensatz d;
    const std::size_t h = ein.size() / 2;
    d.gebiet = ein.substr(0, h);
    d.mtb = "5818/3/3/2/1/1";
    d.gradN = d.minN = d.sekN = d.gradO = d.minO = "1";
    d.sekO = ein.substr(h);
    const auto z = fundort::datensatzZeile(d, ',');
    if (z.bytes) {
        if (std::count(z.bytes->begin(), z.bytes->end(), '\t') != 13 ||
            std::count(z.bytes->begin(), z.bytes->end(), '\n') != 1 || z.bytes->find('\r') != z.bytes->size() - 2)
            std::abort();
    }
    return 0;
}
