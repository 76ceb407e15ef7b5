#include "matchfile/savefile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using quenbury::matchfile::saveMatchFile;

class TestSaveFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writes_data();
    void writes();
    void failures_data();
    void failures();
};

void TestSaveFile::writes_data() {
    QTest::addColumn<QByteArray>("existing"); // null: no file at the path yet
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QCOMPARE(nineLineBytes.size(), 101);
    QTest::newRow("worked example, new file") << QByteArray() << nineLines << nineLineBytes;
    QTest::newRow("over a longer file") << QByteArray(5000, 'x') << nineLines << nineLineBytes;
    QTest::newRow("one byte per character")
        << QByteArray("old") << u"\u00e9\u20ac\u00a0\u0081*\r\n"_s << QByteArray("\xE9\x80\xA0\x81*\r\n");
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
        QVERIFY(!writeFile(path, existing).isEmpty());
    const auto error = saveMatchFile(path, text);
    QVERIFY2(!error, qPrintable(error.value_or(QString())));
    QCOMPARE(readFile(path), expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"match.txt"_s});
}

void TestSaveFile::failures_data() {
    QTest::addColumn<QString>("target"); // relative to a fresh temporary folder, or absolute
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("named"); // what the message must say
    QTest::newRow("missing folder") << u"no/such/folder/match.txt"_s << nineLines
                                    << QStringList{u"{path}"_s, u"No such file or directory"_s};
    QTest::newRow("path is a folder")
        << u"folder"_s << nineLines << QStringList{u"{path}"_s, u"it is a folder"_s};
    QTest::newRow("full disk") << u"/dev/full"_s << nineLines
                               << QStringList{u"{path}"_s, u"No space left on device"_s};
    QTest::newRow("character without a byte") << u"old.txt"_s << u"A*\r\nxyz\u0100*\r\n"_s
                                              << QStringList{u"\u0100"_s, u"U+0100"_s, u"line 2, column 4"_s};
    // A file size limit makes a real short write even for root, where permission bits would not.
    QTest::newRow("write cut short") << u"old.txt"_s << nineLines.repeated(100)
                                     << QStringList{u"{path}"_s, u"File too large"_s};
}

// A failed save says why, and leaves the target and its folder exactly as they were.
void TestSaveFile::failures() {
    QFETCH(QString, target);
    QFETCH(QString, text);
    QFETCH(QStringList, named);
    if (target == u"/dev/full"_s && !QFile::exists(target))
        QSKIP("this system has no /dev/full");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    QVERIFY(!writeFile(dir.filePath(u"old.txt"_s), "old content").isEmpty());
    const QString path = QDir(dir.path()).absoluteFilePath(target);

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = saveMatchFile(path, text);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(error);
    for (QString part : named)
        QVERIFY2(error->contains(part.replace(u"{path}"_s, QDir::toNativeSeparators(path))),
                 qPrintable(*error));
    struct stat info {};
    QCOMPARE(::stat("/dev/full", &info) != 0 || S_ISCHR(info.st_mode), true);
    QCOMPARE(readFile(dir.filePath(u"old.txt"_s)), QByteArray("old content"));
    QVERIFY(QFileInfo(dir.filePath(u"folder"_s)).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{u"folder"_s, u"old.txt"_s}));
}

QTEST_APPLESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
