#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quenbury::matchfile {

// Far above any real match file or location database (the shipped one is under 1 MiB), and low
// enough that reading and decoding a file of this size always fits in memory.
inline constexpr qint64 MaxUserFileSize = 64 * 1024 * 1024;

struct UserFileBytes {
    QByteArray bytes;
    std::optional<QString> error; // why nothing was read, for a message that names the file
};

// Reads a whole file the user named. Only a regular file (after following symbolic links) of at most
// MaxUserFileSize bytes is read; a pipe, device, socket or folder is refused before any byte is read,
// and opening never waits for a writer. A file that changed while it was read is refused, so that a
// read never mixes an old text with a new one.
UserFileBytes readUserFile(const QByteArray& nativePath);
UserFileBytes readUserFile(const QString& path);

} // namespace quenbury::matchfile
