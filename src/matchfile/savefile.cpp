#include "matchfile/savefile.h"

#include "matchfile/encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

// A device or pipe cannot be replaced by renaming a temporary file over it (and must not be:
// as root that would swap /dev/full for a plain file), so such a target is written in place.
std::optional<QString> writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(path, file.errorString());
    if (!writeAll(file, bytes))
        return failure(path, file.errorString());
    file.close();
    return std::nullopt;
}

} // namespace

std::optional<QString> saveMatchFile(const QString& path, QStringView text) {
    const Windows1252Bytes encoded = toWindows1252(text);
    if (encoded.unencodable) {
        return QStringLiteral("The file was not saved: %1 has no place in the receivers\u2019 character set "
                              "(Windows-1252). Replace it and save again.")
            .arg(encoded.unencodable->describe());
    }

    const QFileInfo target(path);
    if (target.isDir())
        return failure(path, QStringLiteral("it is a folder"));
    if (target.exists() && !target.isFile())
        return writeInPlace(path, encoded.bytes);

    QSaveFile file(path);
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
