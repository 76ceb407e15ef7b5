#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quenbury::matchfile {

// Writes the text as Windows-1252 bytes, exactly as they stand: no line end is added.
// All or nothing: on any failure an existing file at the path keeps its old content. A regular file
// is replaced by a new one that keeps the old one's ACL, extended attributes and permission bits (never
// setuid, setgid or sticky), so hard links to it keep the old text. It becomes the saver's, with the old
// group if the saver is in it, else with no more group rights than every user had; root gives it back
// to its owner. A file the saver may not write, or that has no write bit, is refused.
// A device is written in place. Only the saver's own symbolic links and root's are followed.
// Returns a message for the user when nothing could be written.
std::optional<QString> saveMatchFile(const QString& path, QStringView text);

// A write past the file size limit (ulimit -f) sends SIGXFSZ, which ends a program by default, and
// the window's unsaved text with it. Ignored, the write fails with "File too large" instead and the
// program says so. Leaves a disposition the program chose itself alone. Each program calls it once,
// at start.
void ignoreFileSizeSignal();

} // namespace quenbury::matchfile
