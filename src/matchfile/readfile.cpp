#include "matchfile/readfile.h"

#include "matchfile/filekind.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quenbury::matchfile {

namespace {

QString tooLarge() {
    return QStringLiteral("it is larger than %1 MiB").arg(MaxUserFileSize / (1024 * 1024));
}

// Why a file is not read, or nothing when it may be. Asked twice: of the path before it is opened,
// so that no device is even opened, and of what was opened, in case the path changed.
std::optional<QString> refusal(const struct stat& info) {
    if (auto kind = notARegularFile(info.st_mode))
        return kind;
    if (info.st_size > MaxUserFileSize)
        return tooLarge();
    return std::nullopt;
}

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
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.error = systemError();
        return result;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.error = file.errorString();
        return result;
    }
    if (::fstat(fd, &info) != 0 || (result.error = refusal(info))) {
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
        const qint64 n = file.read(bytes.data() + filled, bytes.size() - filled);
        if (n == 0)
            break;
        if (n < 0) {
            result = {QByteArray(), file.errorString()};
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
