#include "matchfile/encoding.h"
#include "matchfile/lineends.h"
#include "matchfile/savefile.h"
#include "matchfile/terminal.h"
#include "matchfile/verifier.h"
#include "sections/sectioncheck.h"
#include "support/table.h"
#include "support/testfiles.h"
#include "translations/translationheader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using quenbury::matchfile::decodeWindows1252;

namespace {

// The pieces a text of the table is made of.
QString expanded(QString text, const QString& where) {
    static const QRegularExpression edit(u"\\[(.*)=>(.*)\\]$"_s,
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch replacement = edit.match(text);
    if (replacement.hasMatch())
        text.truncate(replacement.capturedStart());
    text.replace(u"<ev>"_s, u"#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s);
    text.replace(u"<al>"_s, u"001000EntireArea*\r\n"_s);
    text.replace(u"<hdr>"_s, quenbury::translations::translationHeader());
    text.replace(u"<close>"_s, u"YYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n"_s);
    if (text.contains(u'<'))
        QTest::qFail(qPrintable(where + u": unknown piece"_s), __FILE__, __LINE__);
    if (!replacement.hasMatch())
        return text;
    const qsizetype at = text.indexOf(replacement.captured(1));
    if (at < 0)
        QTest::qFail(qPrintable(where + u": nothing to replace"_s), __FILE__, __LINE__);
    return text.replace(at, replacement.captured(1).size(), replacement.captured(2));
}

} // namespace

class TestMatchFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void report_data();
    void report();
    void save_data();
    void save();
    void findings_data();
    void findings();
    void escape_data();
    void escape();
    void lineEnds();
};

// A write past the file size limit then fails rather than ends the process, as in each program.
void TestMatchFile::initTestCase() {
    quenbury::matchfile::ignoreFileSizeSignal();
}

void TestMatchFile::report_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("report");
    const QList<TableRow> rows = readTable(u"reports.txt"_s, u" | "_s, 3);
    for (const TableRow& row : rows)
        QTest::newRow(qPrintable(row.fields[0])) << unescaped(row.fields[1]) << unescaped(row.fields[2]);
    QCOMPARE(rows.size(), 27);
}

void TestMatchFile::report() {
    QFETCH(QString, text);
    QFETCH(QString, report);
    const auto result = quenbury::matchfile::verify(text);
    QCOMPARE(result.StatusText, report);
    QCOMPARE(result.CharCount, text.size());
    QCOMPARE(result.isClean(), report.endsWith(u"Errors: 0"_s));
    const QString lines = report.section(u"Lines:"_s, 1).section(u'\r', 0, 0);
    QCOMPARE(result.LineCount, lines.toInt());
}

void TestMatchFile::save_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("text");
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    const QString every = decodeWindows1252(everyByte).value();
    const QList<TableRow> rows = readTable(u"saves.txt"_s, u" | "_s, 4);
    for (const TableRow& row : rows) {
        QString text = unescaped(row.fields[3]).replace(u"<nine>"_s, nineLines);
        text.replace(u"<every byte>"_s, every);
        QTest::newRow(qPrintable(row.fields[0])) << row.fields[1] << row.fields[2] << text;
    }
    QCOMPARE(rows.size(), 14);
}

// A failed save says why, and leaves the target and its folder exactly as they were.
void TestMatchFile::save() {
    QFETCH(QString, target);
    QFETCH(QString, refusal);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(target);
    const auto entries = [&dir] {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    const bool folder = QDir(dir.path()).mkdir(u"folder"_s);
    const QString old = writeFile(dir.filePath(u"old.txt"_s), "old content");
    QVERIFY(folder && !old.isEmpty());
    const int modeSet = ::chmod(QFile::encodeName(old), 0640);
    QCOMPARE(modeSet, 0);
    const QByteArray native = QFile::encodeName(path);
    const QByteArray shared = QFile::encodeName(dir.filePath(target.section(u'/', 0, 0)));
    const QByteArray link = QFile::encodeName(dir.filePath(target.section(u'/', 0, 1)));
    const char* linked = target.endsWith(u"/link"_s) ? "../old.txt" : "../folder";
    if (target == u"fifo"_s) {
        const int made = ::mkfifo(native, 0600);
        QCOMPARE(made, 0);
    }
    if (target.contains(u"/link"_s)) {
        const int made = ::mkdir(shared, 0777) | ::chmod(shared, 01777) | ::symlink(linked, link);
        QCOMPARE(made, 0);
        const uid_t owner = target.startsWith(u"own/"_s) ? ::geteuid() : ::geteuid() + 1000;
        const bool linkGiven = ::lchown(link, owner, gid_t(-1)) == 0;
        const bool folderGiven = !target.startsWith(u"owners/"_s) || ::chown(shared, owner, gid_t(-1)) == 0;
        if (!linkGiven || !folderGiven)
            QSKIP("only root can give a link or a folder to another user");
    }
    const QStringList before = entries();

    rlimit limit{};
    const int got = ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{1024, limit.rlim_max};
    const int lowered = ::setrlimit(RLIMIT_FSIZE, &small);
    const auto error = quenbury::matchfile::saveMatchFile(path, text);
    const int restored = ::setrlimit(RLIMIT_FSIZE, &limit);
    QCOMPARE(got | lowered | restored, 0);

    refusal.replace(u"{}"_s, QDir::toNativeSeparators(path) + u"\u201D could not be saved: "_s);
    const bool told = refusal.isEmpty() ? !error : error && error->contains(refusal);
    QVERIFY2(told, qPrintable(error.value_or(u"saved"_s)));
    const QByteArray written = readFile(error ? old : path);
    // One byte a character.
    QCOMPARE(decodeWindows1252(written).value(), error ? u"old content"_s : text);
    const QStringList after = entries();
    QCOMPARE(error ? after : before, before);
    // A replaced file keeps its mode; a new one gets the usual mode, 0666 less the umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat info {};
    const int found = ::stat(error ? QFile::encodeName(old) : native, &info);
    QCOMPARE(found, 0);
    const bool replaced = error || target.endsWith(u"/link"_s) || target == u"old.txt"_s;
    QCOMPARE(info.st_mode & 07777, replaced ? 0640u : 0666u & ~mask);
}

void TestMatchFile::findings_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("report");
    const QList<TableRow> rows = readTable(u"structure.txt"_s, u"|"_s, 3);
    QCOMPARE(rows.size(), 32);
    for (const TableRow& row : rows) {
        const QString text = expanded(unescaped(row.fields[1]), row.where);
        QString report = unescaped(row.fields[2]).replace(u"\n"_s, u"\r\n"_s);
        if (!report.isEmpty())
            report.prepend(u"\r\n\r\n"_s);
        QTest::newRow(qPrintable(row.fields[0])) << text << report;
    }
}

void TestMatchFile::findings() {
    QFETCH(QString, text);
    QFETCH(QString, report);
    const quenbury::sections::SectionCheck check = quenbury::sections::checkSections(text);
    QCOMPARE(check.report(), report);
    QCOMPARE(check.hasErrors(), report.contains(u"Not A Windows-1252 Character"_s));
}

void TestMatchFile::escape_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<bool>("keepLineFeeds");
    const QList<TableRow> rows = readTable(u"escapes.txt"_s, u" | "_s, 4);
    for (const TableRow& row : rows)
        QTest::newRow(qPrintable(row.fields[0]))
            << unescaped(row.fields[1]).toLatin1() << unescaped(row.fields[2]).toLatin1()
            << (row.fields[3] == u"1"_s);
    QCOMPARE(rows.size(), 8);
}

void TestMatchFile::escape() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, shown);
    QFETCH(bool, keepLineFeeds);
    using quenbury::matchfile::LineFeeds;
    const LineFeeds lineFeeds = keepLineFeeds ? LineFeeds::Kept : LineFeeds::Escaped;
    QCOMPARE(quenbury::matchfile::escapeForTerminal(bytes, lineFeeds), shown);
}

// Every line break a box can show ends a line with CR LF, a lone CR too, which no box holds today.
void TestMatchFile::lineEnds() {
    const QString shown = u"A*\rB*\nC*\r\nD*\u2029E*\u2028"_s;
    QCOMPARE(quenbury::matchfile::withCrLfLineEnds(shown), u"A*\r\nB*\r\nC*\r\nD*\r\nE*\r\n"_s);
}

QTEST_APPLESS_MAIN(TestMatchFile)
#include "tst_matchfile.moc"
