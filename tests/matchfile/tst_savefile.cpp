#include "matchfile/encoding.h"
#include "matchfile/savefile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using quenbury::matchfile::decodeWindows1252;

class TestSaveFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void save_data();
    void save();
};

void TestSaveFile::save_data() {
    QTest::addColumn<QString>("target"); // in a folder holding old.txt ("old content") and folder/
    QTest::addColumn<QString>("refusal"); // in the message, "{}" standing for "“path” could not be saved: "
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const QString& target, const QString& refusal,
                        const QString& text = nineLines) {
        QTest::newRow(name) << target << refusal << text;
    };
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    row("every byte read as text and saved back", u"new.txt"_s, {}, decodeWindows1252(everyByte).value());
    row("shorter over a longer file", u"old.txt"_s, {}, u"\u20ac*"_s);
    row("missing folder", u"no/such/match.txt"_s, u"{}No such file or directory"_s);
    row("folder", u"folder"_s, u"{}it is a folder"_s);
    // A file size limit makes a real short write, as a full disk does, even for root.
    row("write cut short", u"old.txt"_s, u"{}File too large"_s, nineLines.repeated(100));
    row("character without a byte", u"old.txt"_s, u"(U+0100) at line 2, column 4"_s, u"A*\r\nxyz\u0100*"_s);
    row("surrogate pair", u"old.txt"_s, u"\u201C\U0001F600\u201D (U+1F600) at line 2, column 3"_s,
        u"A*\r\nab\U0001F600*"_s);
    row("FIFO", u"fifo"_s, u"{}it is a named pipe (FIFO)"_s);
    // Links to old.txt in a sticky folder that all may write into, as /tmp is.
    row("link planted in a shared folder", u"planted/link"_s, u"{}it is a symbolic link"_s);
    row("own link in a shared folder", u"own/link"_s, {});
    row("folder owner's link in it", u"owners/link"_s, {});
    // Links to folder/ in such a folder, as a folder of the path.
    row("link to a folder planted in a shared folder", u"planted/link/new.txt"_s,
        u"{}the folder \u201Clink\u201D on its way is a symbolic link"_s);
    row("own link to a folder in a shared folder", u"own/link/new.txt"_s, {});
    row("folder owner's link to a folder in it", u"owners/link/new.txt"_s, {});
}

// A failed save says why, and leaves the target and its folder exactly as they were.
void TestSaveFile::save() {
    QFETCH(QString, target);
    QFETCH(QString, refusal);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(target);
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s) &&
            !writeFile(dir.filePath(u"old.txt"_s), "old content").isEmpty());
    const int modeSet = ::chmod(QFile::encodeName(dir.filePath(u"old.txt"_s)), 0640);
    QCOMPARE(modeSet, 0);
    const QByteArray native = QFile::encodeName(path);
    const QByteArray shared = QFile::encodeName(dir.filePath(target.section(u'/', 0, 0)));
    const QByteArray link = QFile::encodeName(dir.filePath(target.section(u'/', 0, 1)));
    const char* linked = target.endsWith(u"/link"_s) ? "../old.txt" : "../folder";
    if (target == u"fifo"_s)
        QCOMPARE(::mkfifo(native, 0600), 0);
    if (target.contains(u"/link"_s)) {
        QCOMPARE(::mkdir(shared, 0777) | ::chmod(shared, 01777) | ::symlink(linked, link), 0);
        const uid_t owner = target.startsWith(u"own/"_s) ? ::geteuid() : ::geteuid() + 1000;
        if (::lchown(link, owner, gid_t(-1)) != 0 ||
            (target.startsWith(u"owners/"_s) && ::chown(shared, owner, gid_t(-1))))
            QSKIP("only root can give a link or a folder to another user");
    }
    const auto before =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);

    rlimit limit{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{1024, limit.rlim_max};
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = quenbury::matchfile::saveMatchFile(path, text);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);

    refusal.replace(u"{}"_s, QDir::toNativeSeparators(path) + u"\u201D could not be saved: "_s);
    QVERIFY2(refusal.isEmpty() ? !error : error && error->contains(refusal),
             qPrintable(error.value_or(u"saved"_s)));
    const QByteArray written = readFile(error ? dir.filePath(u"old.txt"_s) : path);
    QCOMPARE(decodeWindows1252(written).value(), error ? u"old content"_s : text); // one byte a character
    if (error)
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            before);
    // A replaced file keeps its mode; a new one gets the usual mode, 0666 less the umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat info {};
    const int found = ::stat(error ? QFile::encodeName(dir.filePath(u"old.txt"_s)) : native, &info);
    QCOMPARE(found, 0);
    const bool replaced = error || target.endsWith(u"/link"_s) || target == u"old.txt"_s;
    QCOMPARE(info.st_mode & 07777, replaced ? 0640u : 0666u & ~mask);
}

QTEST_APPLESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
