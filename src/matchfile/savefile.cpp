#include "matchfile/savefile.h"

#include "matchfile/encoding.h"
#include "matchfile/filekind.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <csignal>
#include <deque>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

namespace quenbury::matchfile {

namespace {

// As many links as the kernel follows on one path.
constexpr int MaxLinks = 40;

QString failure(const QString& path, const QString& reason) {
    return QStringLiteral("The file \u201C%1\u201D could not be saved: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

// A descriptor Qt has no class for: of a folder or a link (O_PATH, which needs no read permission and
// only names what comes next), or of an old file whose attributes a save copies.
class PathHandle {
public:
    explicit PathHandle(int fd = -1)
        : m_fd(fd) {}
    ~PathHandle() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PathHandle(PathHandle&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1)) {}
    PathHandle& operator=(PathHandle&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

// A short write is no failure to Qt: so write unbuffered and insist on every byte; the write after a
// short one fails with the system's reason (a file size limit, a full disk).
bool writeAll(QFile& file, const QByteArray& bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

// Where the save goes: a folder held open, a name in it and what stands there now (nothing for a
// new file), or why nothing may be written.
struct Target {
    PathHandle folder;
    QByteArray where; // the folder's path as followed, for messages
    QByteArray name;
    std::optional<struct stat> existing;
    std::optional<QString> refusal;
};

QByteArray joined(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

QString shown(const QByteArray& path) {
    return QDir::toNativeSeparators(QFile::decodeName(path));
}

// Any other user can plant a link where the saver saves, and not only in /tmp: in a folder of their own
// inside it, or anywhere on the way. So a save follows only the saver's own links and root's.
QString strangersLink(const QByteArray& link) {
    return QStringLiteral(
               "\u201C%1\u201D is a symbolic link of another user, and a save follows only your own "
               "links and the system\u2019s")
        .arg(shown(link));
}

PathHandle openFolder(const char* path) {
    return PathHandle(::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// Resolves the path one part at a time, each part opened without following it and each folder held
// open, so that what is checked is what is written: the save names nothing by a path again.
Target resolve(const QByteArray& path) {
    Target target;
    target.where = path.startsWith('/') ? "/" : ".";
    target.folder = openFolder(target.where.constData());
    std::deque<QByteArray> parts;
    const auto queue = [&parts](const QByteArray& route) {
        const QList<QByteArray> names = route.split('/');
        for (auto name = names.rbegin(); name != names.rend(); ++name) {
            if (!name->isEmpty() && *name != ".")
                parts.push_front(*name);
        }
    };
    queue(path);
    int links = 0;
    while (target.folder.get() >= 0 && !parts.empty()) {
        const QByteArray name = parts.front();
        parts.pop_front();
        const bool last = parts.empty();
        PathHandle entry(::openat(target.folder.get(), name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat info {};
        if (entry.get() < 0 && errno == ENOENT && last) {
            target.name = name;
            return target;
        }
        if (entry.get() < 0 || ::fstat(entry.get(), &info) != 0) {
            target.refusal = systemError();
            return target;
        }
        if (S_ISLNK(info.st_mode)) {
            if (++links > MaxLinks) {
                target.refusal = qt_error_string(ELOOP);
                return target;
            }
            if (info.st_uid != ::geteuid() && info.st_uid != 0) {
                target.refusal = strangersLink(joined(target.where, name));
                return target;
            }
            QByteArray route(PATH_MAX, Qt::Uninitialized);
            const ssize_t length = ::readlinkat(entry.get(), "", route.data(), size_t(route.size()));
            if (length <= 0 || length == route.size()) {
                target.refusal = length < 0 ? systemError() : qt_error_string(length ? ENAMETOOLONG : ENOENT);
                return target;
            }
            route.truncate(length);
            if (route.startsWith('/')) {
                target.where = "/";
                target.folder = openFolder("/");
            }
            queue(route);
            continue;
        }
        if (last) {
            target.name = name;
            target.existing = info;
            return target;
        }
        if (!S_ISDIR(info.st_mode)) {
            target.refusal = qt_error_string(ENOTDIR);
            return target;
        }
        target.folder = std::move(entry);
        target.where = joined(target.where, name);
    }
    // Out of parts: the path names a folder ("/", ".", a link to "/").
    target.refusal = target.folder.get() < 0 ? systemError() : notARegularFile(S_IFDIR);
    return target;
}

// A device cannot be replaced by renaming a temporary file over it (and must not be: as root that
// would swap /dev/full for a plain file), so it is written in place. Opened without waiting and
// without following a link, then asked again what it is, in case a FIFO took the device's place.
std::optional<QString> writeInPlace(const Target& target, const QByteArray& bytes) {
    const int fd = ::openat(target.folder.get(), target.name.constData(),
                            O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return systemError();
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return systemError();
    if (!S_ISCHR(info.st_mode) && !S_ISBLK(info.st_mode))
        return notARegularFile(info.st_mode).value_or(qt_error_string(EBUSY));
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); // a device may be slow: let it be
    if (!writeAll(file, bytes))
        return file.errorString();
    return std::nullopt;
}

// Replacing a file needs only the folder's permission, so a file that its owner made read-only, or that
// the saver may not write, would be replaced behind the owner's back. Root may write any file: for root,
// as in an editor, a file without any write bit is the one protected.
std::optional<QString> writeProtection(const Target& target) {
    const QString writeProtected = QStringLiteral("it is write-protected");
    if (!(target.existing->st_mode & 0222))
        return writeProtected;
    const int flags = AT_EACCESS | AT_SYMLINK_NOFOLLOW;
    if (::faccessat(target.folder.get(), target.name.constData(), W_OK, flags) == 0)
        return std::nullopt;
    return errno == EACCES ? writeProtected : systemError();
}

constexpr char AccessAcl[] = "system.posix_acl_access";

// Why an attribute of the old file (none named: any of them) did not reach the new one.
QString notCopied(const QByteArray& name) {
    const QString reason = systemError();
    const QString what = name == AccessAcl ? QStringLiteral("access control list (ACL)")
                         : name.isEmpty()
                             ? QStringLiteral("ACL and extended attributes")
                             : QStringLiteral("extended attribute \u201C%1\u201D").arg(shown(name));
    return QStringLiteral("its %1 could not be copied to the new file (%2)").arg(what, reason);
}

// Every extended attribute goes to the new file, the ACL among them, but no file capability: like a
// setuid bit, it would give whoever runs the file rights of its own.
std::optional<QString> copyAttributes(int from, int to) {
    // The folder's default ACL may have given the new file an ACL that the old one does not have.
    if (::fremovexattr(to, AccessAcl) != 0 && errno != ENODATA && errno != EOPNOTSUPP)
        return notCopied(AccessAcl);
    // The kernel's limits on a list of names and on one value.
    QByteArray names(65536, Qt::Uninitialized);
    QByteArray value(65536, Qt::Uninitialized);
    const ssize_t length = ::flistxattr(from, names.data(), size_t(names.size()));
    if (length < 0 && errno == EOPNOTSUPP)
        return std::nullopt;
    if (length < 0)
        return notCopied({});
    names.truncate(length);
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty() || name == "security.capability")
            continue;
        const ssize_t size = ::fgetxattr(from, name.constData(), value.data(), size_t(value.size()));
        if (size < 0 || ::fsetxattr(to, name.constData(), value.constData(), size_t(size), 0) != 0)
            return notCopied(name);
    }
    return std::nullopt;
}

// The new file gets what protects the old one, and never more: its owner and group, its ACL and
// extended attributes, and its permission bits without setuid, setgid and sticky.
std::optional<QString> protect(int to, int from) {
    struct stat old {};
    struct stat made {};
    if (::fstat(from, &old) != 0 || ::fstat(to, &made) != 0)
        return systemError();
    // Root gives the file back to its owner, so that root never owns a file whose rights another user
    // chose. Anyone else keeps the group if they are in it; if not, the new file's group is one the old
    // rights never meant, so it gets no more than every user had.
    const bool root = ::geteuid() == 0;
    const uid_t owner = root ? old.st_uid : made.st_uid;
    const bool same = made.st_uid == owner && made.st_gid == old.st_gid;
    const bool kept = same || ::fchown(to, owner, old.st_gid) == 0;
    if (!kept && root)
        return QStringLiteral("its owner could not be kept (%1)").arg(systemError());
    if (auto failed = copyAttributes(from, to))
        return failed;
    mode_t mode = old.st_mode & 0777;
    if (!kept)
        mode &= ~mode_t(070) | (mode & 07) << 3;
    if (::fchmod(to, mode) != 0)
        return systemError();
    return std::nullopt;
}

// Writes a new file beside the target, under a name nobody else can have made, and renames it over
// the target in the same folder: readers see the old file or the new one, never a part of it.
std::optional<QString> replace(const Target& target, const QByteArray& bytes) {
    const int folder = target.folder.get();
    PathHandle old;
    if (target.existing) {
        if (auto refusal = writeProtection(target))
            return refusal;
        old = PathHandle(::openat(folder, target.name.constData(),
                                  O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (old.get() < 0)
            return notCopied({});
    }
    QByteArray temporary;
    int fd = -1;
    // Until the replacement has the old file's protections, nobody else may read it; a new file gets
    // the usual mode (0666 less the umask) from the system.
    const mode_t mode = target.existing ? 0600 : 0666;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = ".quenbury-" + QByteArray::number(QRandomGenerator::system()->generate64(), 36) + ".tmp";
        fd = ::openat(folder, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      mode);
        if (fd < 0 && errno != EEXIST) {
            const QString reason = systemError();
            return QStringLiteral(
                       "the folder \u201C%1\u201D takes no new file (%2), and a safe save needs to "
                       "create one there")
                .arg(shown(target.where), reason);
        }
    }
    if (fd < 0)
        return qt_error_string(EEXIST);
    QFile file;
    const auto written = [&]() -> std::optional<QString> {
        if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return file.errorString();
        }
        if (!writeAll(file, bytes))
            return file.errorString();
        if (target.existing) {
            if (auto failed = protect(fd, old.get()))
                return failed;
        }
        if (::fsync(fd) != 0)
            return systemError();
        file.close();
        if (::renameat(folder, temporary.constData(), folder, target.name.constData()) == 0)
            return std::nullopt;
        // In a sticky folder (/tmp) only a file's owner may replace it.
        if (errno == EPERM && target.existing && target.existing->st_uid != ::geteuid())
            return QStringLiteral(
                       "it belongs to another user, and in the folder \u201C%1\u201D only its owner "
                       "may replace it")
                .arg(shown(target.where));
        return systemError();
    }();
    if (written)
        ::unlinkat(folder, temporary.constData(), 0);
    return written;
}

} // namespace

void ignoreFileSizeSignal() {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && !(current.sa_flags & SA_SIGINFO) &&
        current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

std::optional<QString> saveMatchFile(const QString& path, QStringView text) {
    const Windows1252Bytes encoded = toWindows1252(text);
    if (encoded.unencodable) {
        return QStringLiteral("The file was not saved: %1 has no place in the receivers\u2019 character set "
                              "(Windows-1252). Replace it and save again.")
            .arg(encoded.unencodable->describe());
    }

    const Target target = resolve(QFile::encodeName(path));
    std::optional<QString> error = target.refusal;
    if (!error && target.existing && !S_ISREG(target.existing->st_mode)) {
        const mode_t mode = target.existing->st_mode;
        // A pipe or socket is no place for a match file, and writing into a FIFO that nobody reads
        // waits for good.
        error = S_ISCHR(mode) || S_ISBLK(mode) ? writeInPlace(target, encoded.bytes) : notARegularFile(mode);
    } else if (!error) {
        error = replace(target, encoded.bytes);
    }
    if (error)
        return failure(path, *error);
    return std::nullopt;
}

} // namespace quenbury::matchfile
