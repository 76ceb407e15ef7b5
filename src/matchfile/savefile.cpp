#include "matchfile/savefile.h"

#include "matchfile/encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quenbury::matchfile {

namespace {

QString failure(const QString& path, const QString& reason) {
    return QStringLiteral("The file \u201C%1\u201D could not be saved: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

// A short write is no failure to Qt: a buffered QSaveFile that the system cuts short (a file size
// limit, a full quota) commits the cut file over the old one. So write unbuffered and insist on
// every byte; the write after a short one fails with the system's reason.
bool writeAll(QFileDevice& file, const QByteArray& bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

// A pipe or socket is no place for a match file, and writing into a FIFO that nobody reads waits
// for good.
std::optional<QString> notAFileFor(mode_t mode) {
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a named pipe (FIFO), not a file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a file");
    return std::nullopt;
}

// A device cannot be replaced by renaming a temporary file over it (and must not be: as root that
// would swap /dev/full for a plain file), so such a target is written in place. Opened without
// waiting, then asked again what it is, in case a FIFO took the device's place meanwhile.
std::optional<QString> writeInPlace(const QString& path, const QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failure(path, qt_error_string(errno));
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failure(path, file.errorString());
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return failure(path, qt_error_string(errno));
    if (const auto refusal = notAFileFor(info.st_mode))
        return failure(path, *refusal);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); // a device may be slow: let it be
    if (!writeAll(file, bytes))
        return failure(path, file.errorString());
    file.close();
    return std::nullopt;
}

// The kernel follows a symbolic link in a sticky folder that everybody may write into (/tmp) only
// when it belongs to the one following it or to the folder's owner; another user could have planted
// it to make this save replace a file of theirs choosing. The program follows links itself (to keep
// them), so it applies the same rule, to every link of a chain. Gives the path the save really writes.
struct Target {
    QString path;
    std::optional<QString> refusal;
};

Target followLinks(QString path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link {};
        if (::lstat(QFile::encodeName(path).constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            return {path, std::nullopt};
        const QFileInfo info(path);
        struct stat folder {};
        const bool shared = ::stat(QFile::encodeName(info.absolutePath()).constData(), &folder) == 0 &&
                            (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
        if (shared && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid) {
            return {path,
                    QStringLiteral("it is a symbolic link in a folder that every user may write into, and "
                                   "neither you nor the folder\u2019s owner made it, so it is not followed")};
        }
        path = info.symLinkTarget();
    }
    return {path, qt_error_string(ELOOP)};
}

} // namespace

std::optional<QString> saveMatchFile(const QString& path, QStringView text) {
    const Windows1252Bytes encoded = toWindows1252(text);
    if (encoded.unencodable) {
        return QStringLiteral("The file was not saved: %1 has no place in the receivers\u2019 character set "
                              "(Windows-1252). Replace it and save again.")
            .arg(encoded.unencodable->describe());
    }

    const Target resolved = followLinks(path);
    if (resolved.refusal)
        return failure(path, *resolved.refusal);
    const QFileInfo target(resolved.path);
    if (target.isDir())
        return failure(path, QStringLiteral("it is a folder"));
    struct stat info {};
    if (::stat(QFile::encodeName(resolved.path).constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        if (const auto refusal = notAFileFor(info.st_mode))
            return failure(path, *refusal);
        return writeInPlace(resolved.path, encoded.bytes);
    }

    QSaveFile file(resolved.path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(path, file.errorString());
    if (!writeAll(file, encoded.bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return std::nullopt;
}

} // namespace quenbury::matchfile
