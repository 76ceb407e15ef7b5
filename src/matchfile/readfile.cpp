#include "matchfile/readfile.h"

#include "matchfile/filekind.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <ctime>
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

QString changed() {
    return QStringLiteral("it changed while it was read; try again");
}

// A write, a truncation or a file put in its place changes one of these. Not the access time: reading
// changes that.
bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Linux stamps a change with a clock that advances once a tick (up to 10 ms), and some file systems
// keep whole seconds, or two (FAT): a write that soon after the last change may leave every timestamp
// as it was. A file changed this recently before the read began is read a second time and compared.
constexpr qint64 TrustedAgeNs = 2'000'000'000;

qint64 nanoseconds(const struct timespec& t) {
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Whether the file holds `bytes` from its start to its end, read again a piece at a time.
bool holdsStill(QFile& file, const QByteArray& bytes) {
    if (!file.seek(0))
        return false;
    char piece[1 << 16];
    for (qsizetype at = 0;;) {
        const qint64 n = file.read(piece, sizeof piece);
        if (n <= 0)
            return n == 0 && at == bytes.size();
        if (at + n > bytes.size() || std::memcmp(piece, bytes.constData() + at, size_t(n)) != 0)
            return false;
        at += n;
    }
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
    struct timespec began {};
    ::clock_gettime(CLOCK_REALTIME, &began);
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

    // What was read is the file only if nothing changed it meanwhile: a change the timestamps cannot
    // show yet, a second read shows, and any other, the file's state after both.
    const bool recent = nanoseconds(info.st_ctim) + TrustedAgeNs > nanoseconds(began);
    struct stat after {};
    if ((recent && !holdsStill(file, bytes)) || ::fstat(fd, &after) != 0 || !sameFile(info, after))
        result = {QByteArray(), changed()};
    return result;
}

UserFileBytes readUserFile(const QString& path) {
    return readUserFile(QFile::encodeName(path));
}

} // namespace quenbury::matchfile
