// Any bytes as a location database file: the reader has to give back every line, without its line
// end; a file with NUL bytes is refused, and a byte-order mark is never part of the text.
#include "fuzzcheck.h"

#include "locations/locationdatabase.h"
#include "matchfile/encoding.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("database.txt")));
    const bool opened = dir.isValid() && file.open(QIODevice::WriteOnly);
    const bool written = opened && file.write(bytes) == bytes.size() && file.flush();
    if (!written)
        std::abort();
    const auto read = quenbury::locations::readLocationDatabase(file.fileName());
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    // After the mark the rest is UTF-8, a second mark included: "a" in front keeps fromUtf8 from
    // dropping it.
    const QByteArray utf8 = "a" + bytes.sliced(marked ? 3 : 0);
    const QString fromUtf8 = QString::fromUtf8(utf8);
    const QString decoded = quenbury::matchfile::decodeWindows1252(bytes).value();
    const QString text = marked ? fromUtf8.sliced(1) : decoded;
    // CR LF, a lone CR and a lone LF each end a line; a last line without a line end counts if not empty.
    QString ends = text;
    ends.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ends.replace(u'\r', u'\n');
    QStringList lines = ends.split(u'\n');
    if (ends.isEmpty() || ends.endsWith(u'\n'))
        lines.removeLast();
    const auto tooLong = [](const QString& line) {
        return quenbury::matchfile::characterCount(line) > quenbury::locations::MaxDatabaseLineLength;
    };
    // Refused only for NUL bytes, for a mark before bytes that are not UTF-8, or for a line longer than
    // the lists take.
    const bool badMark = marked && fromUtf8.toUtf8() != utf8;
    const bool refused = bytes.contains('\0') || badMark || std::any_of(lines.begin(), lines.end(), tooLong);
    FUZZ_CHECK(read.error.has_value() == refused);
    FUZZ_CHECK(!refused || read.database.lines.isEmpty());
    if (refused)
        return 0;
    FUZZ_CHECK(read.database.byteLength == bytes.size());
    FUZZ_CHECK(read.database.text == text);
    FUZZ_CHECK(read.database.lines == lines);
    return 0;
}
