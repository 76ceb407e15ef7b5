#include "locations/locationdatabase.h"

#include "matchfile/encoding.h"
#include "matchfile/lineends.h"
#include "matchfile/readfile.h"

#include <QDir>
#include <QStringDecoder>

namespace quenbury::locations {

namespace {

struct LineCount {
    qsizetype lines = 0;
    qsizetype longLine = 0;   // the first line longer than MaxDatabaseLineLength, counted from 1
    qsizetype longLength = 0; // in characters
};

// As many lines as splitDatabaseLines() makes, without making them: a file of line ends alone, split,
// would take twenty times its size in memory before the list limit refused it.
// The limit counts characters, as its message does: a line of 600 emoji read as UTF-8 has 600, though
// it takes 1,200 UTF-16 units. A character takes at most two, so what the limit bounds, the memory and
// painting of the longest lines, stays within twice that of a Windows-1252 file.
LineCount countDatabaseLines(QStringView text) {
    LineCount count;
    for (matchfile::LineWalker walker(text); walker.atLine(); walker.advance()) {
        ++count.lines;
        const QStringView line = walker.line();
        // Never fewer units than characters: only a line of more units is counted.
        if (count.longLine > 0 || line.size() <= MaxDatabaseLineLength)
            continue;
        const qsizetype characters = matchfile::characterCount(line);
        if (characters > MaxDatabaseLineLength) {
            count.longLine = count.lines;
            count.longLength = characters;
        }
    }
    return count;
}

} // namespace

QStringList splitDatabaseLines(QStringView text) {
    QStringList lines;
    for (matchfile::LineWalker walker(text); walker.atLine(); walker.advance())
        lines.append(walker.line().toString());
    return lines;
}

DatabaseReadResult readLocationDatabase(const QString& path) {
    DatabaseReadResult result;
    const auto fail = [&](const QString& reason) {
        result.error = QStringLiteral("The location database \u201C%1\u201D could not be loaded: %2.")
                           .arg(QDir::toNativeSeparators(path), reason);
        return result;
    };

    const matchfile::UserFileBytes read = matchfile::readUserFile(path);
    if (read.error)
        return fail(*read.error);
    const QByteArray& bytes = read.bytes;
    if (bytes.contains('\0'))
        return fail(QStringLiteral("it holds NUL bytes, so it is not a text file"));

    // An editor that saves as "UTF-8 with BOM" puts the mark first; kept, it would open the first
    // line and travel into the match file with it.
    constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");
    std::optional<QString> text;
    if (bytes.startsWith(ByteOrderMark)) {
        // Told to keep an initial mark, the decoder keeps a second one: that is text.
        QStringDecoder utf8(QStringConverter::Utf8,
                            QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        text = utf8.decode(QByteArrayView(bytes).sliced(ByteOrderMark.size()));
        if (utf8.hasError())
            return fail(QStringLiteral("it starts with a UTF-8 byte-order mark but is not UTF-8 text"));
    } else {
        text = matchfile::decodeWindows1252(bytes);
        if (!text)
            return fail(QStringLiteral("it could not be read as Windows-1252 text"));
    }

    const LineCount count = countDatabaseLines(*text);
    if (count.lines > MaxListLines)
        return fail(QStringLiteral("it has %1 lines, and the lists can take at most %2")
                        .arg(count.lines)
                        .arg(MaxListLines));
    if (count.longLine > 0)
        return fail(QStringLiteral("line %1 has %2 characters, and the lists take lines of at most %3 (a "
                                   "location line in a match file is at most 31 characters)")
                        .arg(count.longLine)
                        .arg(count.longLength)
                        .arg(MaxDatabaseLineLength));

    result.database.byteLength = bytes.size();
    result.database.text = *std::move(text);
    result.database.lines = splitDatabaseLines(result.database.text);
    return result;
}

qsizetype firstLineContaining(const QStringList& lines, QStringView needle) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(needle))
            return i;
    }
    return -1;
}

QString defaultDatabaseFolder(const QString& applicationDir) {
    return QDir::cleanPath(applicationDir + QStringLiteral("/../share/quenbury"));
}

} // namespace quenbury::locations
