// Any bytes as a location database file: the reader has to give back every line, none holding a
// line end, so that putting the line ends back reproduces the file; a file with NUL bytes is refused.
// The line splitter is also fed arbitrary UTF-16, which no file read can produce.
#include "fuzzcheck.h"

#include "locations/locationdatabase.h"
#include "matchfile/encoding.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Line ends as a person would count them: CR LF is one, a CR or LF on its own is one, and a last
// line that is not empty but has no line end still counts.
qsizetype countLines(QStringView text) {
    qsizetype lines = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            ++lines;
            i += (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
        } else {
            ++i;
        }
    }
    const bool unterminatedTail = !text.isEmpty() && text.back() != u'\r' && text.back() != u'\n';
    return lines + (unterminatedTail ? 1 : 0);
}

// The lines must be the text with its line ends taken out, in order: walk the text line by line.
void checkLinesRebuildText(const QStringList& lines, QStringView text) {
    FUZZ_CHECK_EQUAL(lines.size(), countLines(text));
    qsizetype at = 0;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString& line = lines[n];
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        FUZZ_CHECK(text.sliced(at).startsWith(line));
        at += line.size();
        if (at == text.size()) {
            FUZZ_CHECK_EQUAL(n, lines.size() - 1); // only the last line may lack a line end
            break;
        }
        const QStringView end = text.sliced(at).startsWith(u"\r\n") ? text.sliced(at, 2) : text.sliced(at, 1);
        FUZZ_CHECK(end == u"\r\n" || end == u"\r" || end == u"\n");
        at += end.size();
    }
    FUZZ_CHECK_EQUAL(at, text.size());
}

// In memory where the system offers it: rewriting a file on disk tens of thousands of times a
// second makes the file system flush each time and the fuzzer wait for the disk.
const QString& scratchFile() {
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/quenbury-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/quenbury-fuzz-XXXXXX"));
    static const QString path = [] {
        if (!dir.isValid()) {
            std::fprintf(stderr, "no scratch folder for the database file\n");
            std::abort();
        }
        return dir.filePath(QStringLiteral("database.txt"));
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // The splitter alone, on text that may hold any UTF-16 code unit: pairs of input bytes.
    QString wide(qsizetype(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < wide.size(); ++i)
        wide[i] = QChar(char16_t(data[2 * i] | (data[2 * i + 1] << 8)));
    checkLinesRebuildText(quenbury::locations::splitDatabaseLines(wide), wide);

    // The file as the user would pick it.
    const QString& path = scratchFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::abort();
        }
    }
    const quenbury::locations::DatabaseReadResult read = quenbury::locations::readLocationDatabase(path);

    if (bytes.contains('\0')) {
        FUZZ_CHECK(read.error.has_value());
        FUZZ_CHECK(!read.error->isEmpty());
        FUZZ_CHECK(read.database.lines.isEmpty());
        FUZZ_CHECK(read.database.text.isEmpty());
        return 0;
    }
    FUZZ_CHECK(!read.error.has_value());
    FUZZ_CHECK_EQUAL(read.database.byteLength, qsizetype(size));
    // One byte is one character: what the lists show is what the file holds.
    FUZZ_CHECK_EQUAL(read.database.text.size(), qsizetype(size));
    FUZZ_CHECK_EQUAL(read.database.text, quenbury::matchfile::fromWindows1252(bytes));
    checkLinesRebuildText(read.database.lines, read.database.text);
    FUZZ_CHECK(quenbury::locations::splitDatabaseLines(read.database.text) == read.database.lines);
    return 0;
}
