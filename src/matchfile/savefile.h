#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quenbury::matchfile {

// Writes the text as Windows-1252 bytes, exactly as they stand: no line end is added.
// All or nothing: on any failure an existing file at the path keeps its old content.
// Returns a message for the user when nothing could be written.
std::optional<QString> saveMatchFile(const QString& path, QStringView text);

} // namespace quenbury::matchfile
