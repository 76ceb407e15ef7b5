#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace quenbury::locations {

// The code lists address their lines with 16-bit signed indexes.
inline constexpr int MaxListLines = 32767;

// Far beyond any location line a receiver takes (31 characters), and short enough that a list of
// the most lines, each this long, still finds and paints at once. A longer line is no location line:
// it only costs the window time and memory.
inline constexpr int MaxDatabaseLineLength = 1024;

// A location database as read from disk: its size, its whole text and its lines.
struct LocationDatabase {
    qint64 byteLength = 0;
    QString text;      // the file's bytes as Windows-1252 text, or as UTF-8 after a byte-order mark
    QStringList lines; // without line ends
};

struct DatabaseReadResult {
    LocationDatabase database;
    std::optional<QString> error; // a message for the user; the database is empty then
};

// Splits a text into lines. CR LF, a lone LF and a lone CR each end a line; a last line without a
// line end is a line too, so a file saved without a final line end keeps its last entry. A blank
// line stays an empty line.
QStringList splitDatabaseLines(QStringView text);

// Reads the file once, as bytes, and closes it. Refuses what readUserFile() refuses, files holding
// NUL bytes (those are not text), and files with more lines, or a longer line, than the lists take.
DatabaseReadResult readLocationDatabase(const QString& path);

// The index of the first line that holds `needle` anywhere (case-sensitive), or -1.
qsizetype firstLineContaining(const QStringList& lines, QStringView needle);

// The folder of the shipped database, relative to the folder of the running program, so that a
// copy installed under any prefix (or run from the build tree) finds its own data.
QString defaultDatabaseFolder(const QString& applicationDir);

inline constexpr QStringView ShippedDatabaseName = u"locations.txt";

} // namespace quenbury::locations
