#include "support/testfiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray cleanReport = "Number of Characters: 101\nNumber of Lines:9\n\nNumber of Errors: 0\n";
const QByteArray faultyReport = "Number of Characters: 100\nNumber of Lines:1\n**Asterisk Missing\n"
                                "or there is a blank line at:\nLine 1\n#MatchEvent\nNumber of Errors: 1\n\n"
                                "**Marker Missing or Misplaced at:\nLine 1\n\"#MatchEvent\"\n"
                                "Expected: \"#MatchEvent*\"\n(1 line)\n";

} // namespace

class TestVerifyCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void run_data();
    void run();

private:
    QTemporaryDir m_dir;
};

void TestVerifyCli::initTestCase() {
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QCOMPARE(writeFile(u"clean.txt"_s, nineLineBytes), u"clean.txt"_s);
    QCOMPARE(writeFile(u"--help"_s, QByteArray(nineLineBytes).remove(11, 1)), u"--help"_s);
    // Line 2 ends with a lone CR, line 9 with a lone LF.
    QVERIFY(!writeFile(u"lone.txt"_s, QByteArray(nineLineBytes).remove(19, 1).chopped(2) + '\n').isEmpty());
}

void TestVerifyCli::run_data() {
    QTest::addColumn<QString>("command"); // for /bin/sh, in the scratch folder; v runs quenbury-verify
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    const auto row = [](const char* name, const QString& command, int exitCode, const QByteArray& out,
                        const QByteArray& err) { QTest::newRow(name) << command << exitCode << out << err; };
    const QByteArray v = "quenbury-verify: ", unwritten = v + "the report could not be written: ";
    row("clean file", u"v clean.txt"_s, 0, cleanReport, {});
    row("faulty file after --", u"v -- --help"_s, 1, faultyReport, {});
    row("several files, one missing", u"v clean.txt missing.txt -- --help"_s, 2,
        "==> clean.txt <==\n" + cleanReport + "\n==> --help <==\n" + faultyReport,
        v + "missing.txt: No such file or directory\n");
    row("lone line ends", u"v lone.txt"_s, 1,
        "Number of Characters: 99\nNumber of Lines:8\n\nNumber of Errors: 0\n"
        "**Line End Not CR LF at:\nLine 2\n(2 lines end without CR LF)\n",
        {});
    row("name not UTF-8", u"n=$(printf 'a\\377'); ln clean.txt $n; trap 'rm $n' EXIT; v $n"_s, 0, cleanReport,
        {});
    // Special files made here; the device node is the null device's, which nothing reads or writes.
    row("FIFO", u"mkfifo fifo; v fifo clean.txt"_s, 2, "==> clean.txt <==\n" + cleanReport,
        v + "fifo: it is a named pipe (FIFO), not a regular file\n");
    row("character device", u"mknod dev c 1 3 || exit 77; v dev"_s, 2, {},
        v + "dev: it is a character device, not a regular file\n");
    row("sparse file past the limit", u"truncate -s 64M big; truncate -s +1 big; v big"_s, 2, {},
        v + "big: it is larger than 64 MiB\n");
    row("sparse file at the limit, read", u"truncate -s 64M at; v at | head -n 1"_s, 0,
        "Number of Characters: 67108864\n", {});
    row("folder", u"mkdir d; v d"_s, 2, {}, v + "d: it is a folder, not a regular file\n");
    row("no file", u"v --"_s, 2, {}, v + "no file given\nTry 'quenbury-verify --help'.\n");
    row("unknown option", u"v --x a"_s, 2, {}, v + "Unknown option 'x'.\nTry 'quenbury-verify --help'.\n");
    row("closed output", u"v clean.txt >&-"_s, 2, {}, unwritten + "Bad file descriptor\n");
    row("output cut short", u"ulimit -f 0; v clean.txt >out"_s, 2, {}, unwritten + "File too large\n");
    row("help to a closed output", u"v --help >&-"_s, 2, {},
        v + "the help could not be written: Bad file descriptor\n");
    row("version cut short", u"ulimit -f 0; v --version >out"_s, 2, {},
        v + "the version could not be written: File too large\n");
    // A name that could set a terminal's title: kept into a pipe, escaped on a terminal.
    row("control character into a pipe", u"v \"$(printf 'a\\033')\""_s, 2, {},
        v + "a\033: No such file or directory\n");
    row("control character on a terminal",
        u"n=$(printf 'a\\033'); script -qec \"stty -onlcr; '$0' $n\" /dev/null"_s, 2,
        v + "a\\033: No such file or directory\n", {});
}

void TestVerifyCli::run() {
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QProcess process;
    process.start(u"/bin/sh"_s, {u"-c"_s, u"v() { \"$0\" \"$@\"; }; "_s + command,
                                 QStringLiteral(QUENBURY_BIN_DIR "/quenbury-verify")});
    QVERIFY(process.waitForFinished(30000));
    if (process.exitCode() == 77)
        QSKIP("this user may not make a device node");
    QCOMPARE(process.readAllStandardError(), err);
    QCOMPARE(process.readAllStandardOutput(), out);
    QCOMPARE(process.exitCode(), exitCode);
}

QTEST_GUILESS_MAIN(TestVerifyCli)
#include "tst_verifycli.moc"
