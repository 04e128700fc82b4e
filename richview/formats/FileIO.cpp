#include "FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rvformats {
namespace {

// What a newly created file gets: read and write for everyone the umask allows.
mode_t defaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes all of `bytes` to `fd`; 0 or the error number.
int writeAll(int fd, std::string_view bytes)
{
    const char *p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n > 0) {
            p += n;
            left -= std::size_t(n);
        } else if (n == 0) {
            return EIO;
        } else if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

int writeInPlace(const QByteArray &name, std::string_view bytes)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int code = writeAll(fd, bytes);
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    return code;
}

} // namespace

bool readWholeFile(const QString &path, QByteArray &bytes, QString *error)
{
    bytes.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\" for reading: %2")
                         .arg(path, info.isDir() ? QStringLiteral("it is a folder") : file.errorString());
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read file \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool writeWholeFile(const QString &path, std::string_view bytes, QString *error, bool inPlaceFallback)
{
    // Write next to the real file (through a symbolic link, to its target), check every write,
    // flush to disk, then rename over the target: any failure leaves the old file as it was.
    // QSaveFile is not used because it reports a short write (a full disk, a file-size limit) as
    // success and leaves a truncated file behind.
    const QFileInfo info(path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    const QByteArray targetName = QFile::encodeName(target);
    QByteArray tempName = targetName + ".XXXXXX";

    auto fail = [&](const char *what, int code) {
        if (error)
            *error = QStringLiteral("Cannot write file \"%1\": %2 (%3)")
                         .arg(path, QLatin1String(what), QString::fromLocal8Bit(std::strerror(code)));
        return false;
    };

    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        const int reason = errno;
        if (!inPlaceFallback || ::access(targetName.constData(), W_OK) != 0)
            return fail("cannot create a temporary file beside it", reason);
        const int code = writeInPlace(targetName, bytes);
        return code == 0 || fail("the data could not be written", code);
    }

    struct stat old {};
    const mode_t mode = ::stat(targetName.constData(), &old) == 0 ? (old.st_mode & 07777) : defaultFileMode();
    int code = writeAll(fd, bytes);
    if (code == 0 && ::fchmod(fd, mode) != 0)
        code = errno;
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code == 0 && ::rename(tempName.constData(), targetName.constData()) != 0)
        code = errno;
    if (code != 0) {
        ::unlink(tempName.constData());
        return fail("the data could not be written", code);
    }
    return true;
}

} // namespace rvformats
