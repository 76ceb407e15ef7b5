#include "matchfile/readfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quenbury::matchfile {

namespace {

QString systemError() {
    return qt_error_string(errno);
}

QString tooLarge() {
    return QStringLiteral("it is larger than %1 MiB").arg(MaxUserFileSize / (1024 * 1024));
}

// Why a file of this kind is not read, or nothing when it may be. Asked twice: of the path before it
// is opened, so that no device is even opened, and of what was opened, in case the path changed.
std::optional<QString> refusal(const struct stat& info) {
    if (S_ISDIR(info.st_mode))
        return qt_error_string(EISDIR); // as any other program says it
    if (!S_ISREG(info.st_mode)) {
        const QString kind = S_ISFIFO(info.st_mode)   ? QStringLiteral("a named pipe (FIFO)")
                             : S_ISCHR(info.st_mode)  ? QStringLiteral("a character device")
                             : S_ISBLK(info.st_mode)  ? QStringLiteral("a block device")
                             : S_ISSOCK(info.st_mode) ? QStringLiteral("a socket")
                                                      : QStringLiteral("a special file");
        return QStringLiteral("it is %1, not a regular file").arg(kind);
    }
    if (info.st_size > MaxUserFileSize)
        return tooLarge();
    return std::nullopt;
}

class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

UserFileBytes readUserFile(const QByteArray& nativePath) {
    UserFileBytes result;
    struct stat info {};
    if (::stat(nativePath.constData(), &info) != 0) {
        result.error = systemError();
        return result;
    }
    if ((result.error = refusal(info)))
        return result;

    // Without O_NONBLOCK, opening a FIFO that took the file's place waits for a writer for good.
    const Descriptor fd(::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = systemError();
        return result;
    }
    if (::fstat(fd.get(), &info) != 0 || (result.error = refusal(info))) {
        if (!result.error)
            result.error = systemError();
        return result;
    }

    // The size is only a hint (a file under /proc says 0, a file being written grows): read until the
    // end, but never past the limit.
    QByteArray& bytes = result.bytes;
    bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > MaxUserFileSize) {
                result = {QByteArray(), tooLarge()};
                return result;
            }
            bytes.resize(qsizetype(std::min<qint64>(2 * qint64(filled) + 4096, MaxUserFileSize + 1)));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result = {QByteArray(), systemError()};
            return result;
        }
        filled += n;
    }
    bytes.resize(filled);
    return result;
}

UserFileBytes readUserFile(const QString& path) {
    return readUserFile(QFile::encodeName(path));
}

} // namespace quenbury::matchfile
