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

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
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

// Runs `work` in a child process as a second user (65534); its exit status, or -1.
template <typename Work> int asSecondUser(Work work) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setgroups(0, nullptr) || ::setgid(65534) || ::setuid(65534) ? 255 : work());
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs shell commands in a folder, stopping at the first that fails: 0 when none did.
int run(const QString& folder, const QString& commands) {
    const QString line = u"set -e; cd '%1'; %2"_s.arg(folder, commands);
    return std::system(line.toLocal8Bit().constData()) == 0 ? 0 : 1;
}

// What protects a file, in the system's words: its mode, owner and group ("0640 0:0"), then every
// extended attribute, its ACL among them; nothing when they cannot be told.
QString protections(const QString& path) {
    const QString command = u"stat -Lc '%04a %u:%g' '"_s + path +
                            u"' && getfattr --absolute-names -Ldm- /dev/stdin <'"_s + path + u"'"_s;
    FILE* pipe = ::popen(command.toLocal8Bit().constData(), "r");
    QFile output;
    const bool opened = pipe && output.open(::fileno(pipe), QIODevice::ReadOnly);
    const QString facts = opened ? QString::fromLocal8Bit(output.readAll()) : QString();
    const int status = ::pclose(pipe);
    return status == 0 ? facts : QString();
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

// A write past the file size limit then fails rather than ends the process, as in each program. New
// files get 0644, as the save table has it.
void TestMatchFile::initTestCase() {
    quenbury::matchfile::ignoreFileSizeSignal();
    ::umask(022);
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
    QTest::addColumn<QStringList>("row"); // every field but the name and the text
    QTest::addColumn<QString>("text");
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    const QString every = decodeWindows1252(everyByte).value();
    const QList<TableRow> rows = readTable(u"saves.txt"_s, u" | "_s, 8);
    for (const TableRow& row : rows) {
        QString text = unescaped(row.fields[7]).replace(u"<nine>"_s, nineLines);
        text.replace(u"<every byte>"_s, every);
        QTest::newRow(qPrintable(row.fields[0])) << row.fields.mid(1, 6) << text;
    }
    QCOMPARE(rows.size(), 24);
}

// A save either works or says why and changes nothing: the old file keeps its bytes and protections,
// and the folder gains nothing. The file at the path (old.txt after a refusal) has the row's mode and
// owner and the old file's attributes.
void TestMatchFile::save() {
    QFETCH(QStringList, row);
    QFETCH(QString, text);
    const QString mine = row[0];
    const QString theirs = row[1];
    const QString saver = row[2];
    QString mode = row[4];
    QString refusal = row[5];
    if ((!theirs.isEmpty() || saver == u"other"_s) && ::geteuid() != 0)
        QSKIP("only root can act as a second user (uid 65534) in a child process");
    QTemporaryDir dir;
    const QByteArray top = QFile::encodeName(dir.path());
    const bool acl = ::getxattr(top, "system.posix_acl_access", nullptr, 0) >= 0 || errno == ENODATA;
    const bool attributes = ::getxattr(top, "user.quenbury", nullptr, 0) >= 0 || errno == ENODATA;
    if (mine.contains(u"setf"_s) && !(acl && attributes))
        QSKIP("the file system of the temporary folder keeps no ACL or extended attributes");
    const QString path = dir.filePath(row[3]);
    const QString old = dir.filePath(u"old.txt"_s);
    const auto entries = [&dir] {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    const int mineDone =
        run(dir.path(), u"mkdir folder; printf 'old content' >old.txt; chmod 640 old.txt; "_s + mine);
    const int theirsDone = theirs.isEmpty() ? 0 : asSecondUser([&] { return run(dir.path(), theirs); });
    QCOMPARE(mineDone | theirsDone, 0);
    const QByteArray oldBytes = readFile(old);
    const QString oldProtections = protections(old);
    const QStringList before = entries();

    refusal.replace(u"{}"_s, QDir::toNativeSeparators(path) + u"\u201D could not be saved: "_s);
    refusal.replace(u"{dir}"_s, QDir::toNativeSeparators(dir.path()));
    // 0 when the save went as the row says; a child process shows a message that differs.
    const auto asTold = [&] {
        const auto error = quenbury::matchfile::saveMatchFile(path, text);
        const bool told = refusal.isEmpty() ? !error : error && error->contains(refusal);
        if (!told)
            qWarning("%s", qPrintable(error.value_or(u"saved"_s)));
        return told ? 0 : 1;
    };
    rlimit limit{};
    const int got = ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{1024, limit.rlim_max};
    const int lowered = ::setrlimit(RLIMIT_FSIZE, &small);
    const int result = saver == u"me"_s ? asTold() : asSecondUser(asTold);
    const int restored = ::setrlimit(RLIMIT_FSIZE, &limit);
    QCOMPARE(got | lowered | restored, 0);
    QCOMPARE(result, 0);

    const bool refused = !refusal.isEmpty();
    const QByteArray written = readFile(refused ? old : path);
    QCOMPARE(written, refused ? oldBytes : quenbury::matchfile::toWindows1252(text).bytes);
    const QStringList after = entries();
    QCOMPARE(refused ? after : before, before);
    mode.replace(u"other"_s, u"65534:65534"_s).replace(u"me"_s, u"%1:%2"_s.arg(::geteuid()).arg(::getegid()));
    const QString expected = mode + oldProtections.mid(oldProtections.indexOf(u'\n'));
    const QString kept = protections(refused ? old : path);
    QCOMPARE(kept, expected);
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
