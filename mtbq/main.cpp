#include "mtbq/lauf.h"
#include "platform/konsole.h"
#include "platform/textdatei.h"

#include <cerrno>
#include <cstdio>

int main(int argc, char* argv[])
{
    konsole::einrichten(argc, argv);
    const int status = mtbq::lauf(argc, argv);
    // Output that did not arrive is a failure, never a success: a full disk,
    // a closed pipe, /dev/full.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int e = errno;
        std::fprintf(stderr, "mtbq: Fehler beim Schreiben der Ausgabe. %s\n",
                     textdatei::satz(textdatei::ausErrno(e ? e : EIO)).c_str());
        konsole::beenden();
        return status == 2 ? 2 : 1;
    }
    konsole::beenden();
    return status;
}
