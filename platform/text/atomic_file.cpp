#include "platform/text/atomic_file.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Reason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

} // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const auto fail = [&](const char* what, int err) {
        if (error)
            *error = QStringLiteral("Cannot %1 the file %2: %3").arg(QLatin1String(what), path, Reason(err));
        return false;
    };
    QByteArray temp = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return fail("create", errno);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : EIO;
            ::close(fd);
            ::unlink(temp.constData());
            return fail("write", err);
        }
        p += n;
        left -= n;
    }
    const int synced = ::fsync(fd) == 0 ? 0 : errno;
    const int closed = ::close(fd) == 0 ? 0 : errno;
    if (synced || closed) {
        const int err = synced ? synced : closed;
        ::unlink(temp.constData());
        return fail("write", err);
    }
    if (::rename(temp.constData(), QFile::encodeName(path).constData()) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        return fail("replace", err);
    }
    return true;
}
