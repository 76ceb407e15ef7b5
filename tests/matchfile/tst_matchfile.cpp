#include "matchfile/encoding.h"
#include "matchfile/savefile.h"
#include "matchfile/verifier.h"
#include "support/table.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using quenbury::matchfile::decodeWindows1252;

class TestMatchFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void report_data();
    void report();
    void save_data();
    void save();
};

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
    QCOMPARE(rows.size(), 11);
}

// A failed save says why, and leaves the target and its folder exactly as they were.
void TestMatchFile::save() {
    QFETCH(QString, target);
    QFETCH(QString, refusal);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(target);
    const auto entries = [&dir] {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    };
    const bool folder = QDir(dir.path()).mkdir(u"folder"_s);
    const QString old = writeFile(dir.filePath(u"old.txt"_s), "old content");
    QVERIFY(folder && !old.isEmpty());
    const QByteArray native = QFile::encodeName(path);
    const QByteArray shared = QFile::encodeName(QFileInfo(path).path());
    if (target == u"fifo"_s) {
        const int made = ::mkfifo(native, 0600);
        QCOMPARE(made, 0);
    }
    if (target.endsWith(u"/link"_s)) {
        const int made = ::mkdir(shared, 0777) | ::chmod(shared, 01777) | ::symlink("../old.txt", native);
        QCOMPARE(made, 0);
        const uid_t owner = target.startsWith(u"own/"_s) ? ::geteuid() : ::geteuid() + 1000;
        const bool linkGiven = ::lchown(native, owner, gid_t(-1)) == 0;
        const bool folderGiven = !target.startsWith(u"owners/"_s) || ::chown(shared, owner, gid_t(-1)) == 0;
        if (!linkGiven || !folderGiven)
            QSKIP("only root can give a link or a folder to another user");
    }
    const QStringList before = entries();

    rlimit limit{};
    const int got = ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{1024, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    const int lowered = ::setrlimit(RLIMIT_FSIZE, &small);
    const auto error = quenbury::matchfile::saveMatchFile(path, text);
    const int restored = ::setrlimit(RLIMIT_FSIZE, &limit);
    QCOMPARE(got | lowered | restored, 0);

    refusal.replace(u"{}"_s, QDir::toNativeSeparators(path) + u"\u201D could not be saved: "_s);
    const bool told = refusal.isEmpty() ? !error : error && error->contains(refusal);
    QVERIFY2(told, qPrintable(error.value_or(u"saved"_s)));
    const QByteArray written = readFile(error ? dir.filePath(u"old.txt"_s) : path);
    // One byte a character.
    QCOMPARE(decodeWindows1252(written).value(), error ? u"old content"_s : text);
    const QStringList after = entries();
    QCOMPARE(error ? after : before, before);
}

QTEST_APPLESS_MAIN(TestMatchFile)
#include "tst_matchfile.moc"
