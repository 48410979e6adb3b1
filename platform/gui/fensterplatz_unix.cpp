// A place's lock on POSIX systems: flock on the file's own open, which a
// second open of the same file, in this process or another, cannot take.
// The file stays behind (removing it would race with a copy opening it).
#include "platform/gui/fensterplatz.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace plattform {

std::intptr_t sperreDatei(const QString& pfad)
{
    const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void gibFrei(std::intptr_t sperre) { ::close(static_cast<int>(sperre)); }

}  // namespace plattform
