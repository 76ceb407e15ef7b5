#include "matchfile/savefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using quenbury::matchfile::saveMatchFile;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QString nineLines = u"#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"
                          u"001000EntireArea*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n"_s;

} // namespace

class TestSaveFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writes_data();
    void writes();
    void unencodableRefused();
    void failures_data();
    void failures();
    void writeFailureKeepsOldFile();
};

void TestSaveFile::writes_data() {
    QTest::addColumn<QByteArray>("existing"); // null: no file at the path yet
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray nineBytes = "#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"
                                 "001000EntireArea*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n";
    QCOMPARE(nineBytes.size(), 101);
    QTest::newRow("worked example, new file") << QByteArray() << nineLines << nineBytes;
    QTest::newRow("over a longer file") << QByteArray(5000, 'x') << nineLines << nineBytes;
    QTest::newRow("over a shorter file") << QByteArray("old") << nineLines << nineBytes;
    QTest::newRow("one byte per character")
        << QByteArray() << u"\u00e9\u20ac\u00a0\u0081*\r\n"_s << QByteArray("\xE9\x80\xA0\x81*\r\n");
    QTest::newRow("no line end added") << QByteArray() << u"A*"_s << QByteArray("A*");
    QTest::newRow("empty text") << QByteArray("old") << QString() << QByteArray("");
}

void TestSaveFile::writes() {
    QFETCH(QByteArray, existing);
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"match.txt"_s);
    if (!existing.isNull())
        put(path, existing);
    const auto error = saveMatchFile(path, text);
    QVERIFY2(!error, qPrintable(error.value_or(QString())));
    QCOMPARE(contents(path), expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"match.txt"_s});
}

void TestSaveFile::unencodableRefused() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"match.txt"_s);
    put(path, "old content");
    const auto error = saveMatchFile(path, u"A*\r\nxyz\u0100*\r\n"_s);
    QVERIFY(error);
    for (const QString& part : {u"\u0100"_s, u"U+0100"_s, u"line 2, column 4"_s})
        QVERIFY2(error->contains(part), qPrintable(*error));
    QCOMPARE(contents(path), QByteArray("old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"match.txt"_s});
}

void TestSaveFile::failures_data() {
    QTest::addColumn<QString>("target"); // relative to a fresh temporary folder, or absolute
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << u"no/such/folder/match.txt"_s << u"No such file or directory"_s;
    QTest::newRow("path is a folder") << u"folder"_s << u"it is a folder"_s;
    QTest::newRow("full disk") << u"/dev/full"_s << u"No space left on device"_s;
}

void TestSaveFile::failures() {
    QFETCH(QString, target);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    const QString path = QDir(dir.path()).absoluteFilePath(target);
    if (target == u"/dev/full"_s && !QFile::exists(path))
        QSKIP("this system has no /dev/full");

    const auto error = saveMatchFile(path, nineLines);
    QVERIFY(error);
    QVERIFY2(error->contains(QDir::toNativeSeparators(path)), qPrintable(*error));
    QVERIFY2(error->contains(reason), qPrintable(*error));

    // Nothing was put in place of the target, nor left beside it.
    struct stat info {};
    if (target == u"/dev/full"_s) {
        QCOMPARE(::stat("/dev/full", &info), 0);
        QVERIFY(S_ISCHR(info.st_mode));
    }
    QVERIFY(QFileInfo(dir.filePath(u"folder"_s)).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"folder"_s});
}

// A write that the system cuts short must leave the old file exactly as it was. A file size limit
// makes a real write failure even for root, where permission bits would not.
void TestSaveFile::writeFailureKeepsOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"match.txt"_s);
    put(path, "old content");

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = saveMatchFile(path, nineLines.repeated(100));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(error);
    QVERIFY2(error->contains(QDir::toNativeSeparators(path)), qPrintable(*error));
    QVERIFY2(error->contains(u"File too large"_s), qPrintable(*error));
    QCOMPARE(contents(path), QByteArray("old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"match.txt"_s});
}

QTEST_APPLESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
