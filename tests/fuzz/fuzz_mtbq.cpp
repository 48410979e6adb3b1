// mtbq's whole run for a single position, as a user calls it: the input is
// the argument list, one argument a line, so that every option and its
// values meet every written position (degrees, Gauss-Kruger, UTM, MGRS,
// codes). Never a crash, never undefined behaviour, and the exit status is
// 0, 1 or 2. Standard input is empty; arguments that name anything in the
// file system (but "-") are left out, so the run reads no file; grid
// layers (--raster) are left out, whose size the user chooses.
#include "mtbq/lauf.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!std::freopen("/dev/null", "r", stdin) || !std::freopen("/dev/null", "w", stdout))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    std::vector<std::string> argumente{"mtbq"};
    std::string arg;
    for (std::size_t i = 0; i <= n; ++i) {
        if (i == n || daten[i] == '\n') {
            argumente.push_back(arg);
            arg.clear();
        } else {
            arg += static_cast<char>(daten[i]);
        }
    }
    if (argumente.size() > 16)
        return 0;
    for (std::size_t i = 1; i < argumente.size(); ++i) {
        const std::string& a = argumente[i];
        std::error_code ec;
        if (a.find("--raster") == 0 || (a != "-" && !a.empty() && std::filesystem::exists(a, ec)))
            return 0;
    }
    std::vector<char*> argv;
    for (std::string& a : argumente)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const int status = mtbq::lauf(static_cast<int>(argumente.size()), argv.data());
    std::clearerr(stdin);
    if (status < 0 || status > 2)
        std::abort();
    return 0;
}
