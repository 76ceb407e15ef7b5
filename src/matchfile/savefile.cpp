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

// A device or pipe cannot be replaced by renaming a temporary file over it (and must not be:
// as root that would swap /dev/full for a plain file), so such a target is written in place.
std::optional<QString> writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
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
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    if (file.write(encoded.bytes) != encoded.bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return std::nullopt;
}

} // namespace quenbury::matchfile
