#include "regularfile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace regularfile {

namespace {

bool fail(ReadError &error, ReadError::Kind kind, int systemError = 0)
{
    error = {kind, systemError};
    return false;
}

// A descriptor that closes itself.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

// Opens `path` for reading when it is a regular file, else -1 with `error`
// set. stat() first, so that a device is not even opened (opening one can
// have effects); then O_NONBLOCK, so that a pipe put in its place since
// opens at once, and fstat() of what was opened decides.
int openRegular(const QString &path, qint64 maxSize, qint64 &size, ReadError &error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (name.isEmpty() || ::stat(name.constData(), &info) != 0) {
        fail(error, ReadError::System, name.isEmpty() ? ENOENT : errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        fail(error, ReadError::NotAFile);
        return -1;
    }
    int fd;
    do
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        fail(error, ReadError::System, errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int reason = errno;
        ::close(fd);
        fail(error, S_ISREG(info.st_mode) ? ReadError::System : ReadError::NotAFile, reason);
        return -1;
    }
    if (info.st_size > maxSize) {
        ::close(fd);
        fail(error, ReadError::TooLarge);
        return -1;
    }
    size = info.st_size;
    return fd;
}

// Reads up to `most` bytes; fewer only at the end of the file.
qint64 readUpTo(int fd, char *into, qint64 most, int &reason)
{
    qint64 done = 0;
    while (done < most) {
        const ssize_t got = ::read(fd, into + done, size_t(most - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reason = errno;
            return -1;
        }
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace

bool read(const QString &path, qint64 maxSize, QByteArray &bytes, ReadError &error)
{
    qint64 size = 0;
    const Descriptor file(openRegular(path, maxSize, size, error));
    if (file.fd() < 0)
        return false;
    // The size stat() gave is a hint: the file may grow while it is read,
    // and /proc files say 0. One byte more than the cap tells "too large".
    QByteArray out;
    qint64 done = 0;
    qint64 chunk = std::min(std::max<qint64>(size + 1, 4096), maxSize + 1);
    for (;; chunk = std::min(done, maxSize + 1 - done)) {
        out.resize(qsizetype(done + chunk));
        int reason = 0;
        const qint64 got = readUpTo(file.fd(), out.data() + done, chunk, reason);
        if (got < 0)
            return fail(error, ReadError::System, reason);
        done += got;
        if (done > maxSize)
            return fail(error, ReadError::TooLarge);
        if (got < chunk)
            break;
    }
    out.truncate(qsizetype(done));
    bytes = out;
    error = {};
    return true;
}

bool check(const QString &path, ReadError &error)
{
    qint64 size = 0;
    const Descriptor file(openRegular(path, std::numeric_limits<qint64>::max(), size, error));
    if (file.fd() < 0)
        return false;
    char first[16];
    int reason = 0;
    if (readUpTo(file.fd(), first, sizeof first, reason) < 0)
        return fail(error, ReadError::System, reason);
    error = {};
    return true;
}

} // namespace regularfile
