#include "support/testfiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray cleanReport = "Number of Characters: 101\nNumber of Lines:9\n\nNumber of Errors: 0\n";
const QByteArray faultyReport = "Number of Characters: 100\nNumber of Lines:1\n**Asterisk Missing\n"
                                "or there is a blank line at:\nLine 1\n#MatchEvent\nNumber of Errors: 1\n";
const QByteArray missing = "quenbury-verify: {dir}/missing.txt: No such file or directory\n";

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
    QVERIFY(!writeFile(m_dir.filePath(u"clean.txt"_s), nineLineBytes).isEmpty());
    QVERIFY(!writeFile(m_dir.filePath(u"faulty.txt"_s), QByteArray(nineLineBytes).remove(11, 1)).isEmpty());
}

void TestVerifyCli::run_data() {
    QTest::addColumn<QStringList>("args"); // *.txt names are relative to the scratch folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out"); // "{dir}" stands for the scratch folder
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<bool>("firstLineOnly");
    const auto row = [](const char* name, const QString& args, int exitCode, const QByteArray& out,
                        const QByteArray& err, bool firstLineOnly = false) {
        QTest::newRow(name) << args.split(u' ', Qt::SkipEmptyParts) << exitCode << out << err
                            << firstLineOnly;
    };
    row("clean file", u"clean.txt"_s, 0, cleanReport, {});
    row("faulty file", u"faulty.txt"_s, 1, faultyReport, {});
    row("unreadable file", u"missing.txt"_s, 2, {}, missing);
    row("several files", u"clean.txt faulty.txt"_s, 1,
        "==> {dir}/clean.txt <==\n" + cleanReport + "\n==> {dir}/faulty.txt <==\n" + faultyReport, {});
    row("unreadable among others", u"clean.txt missing.txt clean.txt"_s, 2,
        "==> {dir}/clean.txt <==\n" + cleanReport + "\n==> {dir}/clean.txt <==\n" + cleanReport, missing);
    row("--help", u"--help"_s, 0, "Usage: quenbury-verify FILE...", {}, true);
    row("-h with a file", u"-h x.txt"_s, 0, "Usage: quenbury-verify FILE...", {}, true);
    row("--version", u"--version"_s, 0, "quenbury-verify " QUENBURY_VERSION, {}, true);
    row("no file", QString(), 2, {}, "quenbury-verify: no file given", true);
}

void TestVerifyCli::run() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(bool, firstLineOnly);
    for (QString& arg : args)
        arg = arg.endsWith(u".txt"_s) && !firstLineOnly ? m_dir.filePath(arg) : arg;
    QProcess process;
    process.start(QStringLiteral(QUENBURY_BIN_DIR "/quenbury-verify"), args);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QByteArray gotOut = process.readAllStandardOutput();
    QByteArray gotErr = process.readAllStandardError();
    if (firstLineOnly) {
        gotOut = gotOut.split('\n').first();
        gotErr = gotErr.split('\n').first();
    }
    const QByteArray dir = m_dir.path().toLocal8Bit();
    QCOMPARE(gotErr, err.replace("{dir}", dir));
    QCOMPARE(gotOut, out.replace("{dir}", dir));
    QCOMPARE(process.exitCode(), exitCode);
}

QTEST_GUILESS_MAIN(TestVerifyCli)
#include "tst_verifycli.moc"
