#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray nineLines = "#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"
                             "001000EntireArea*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n";
const QByteArray cleanReport = "Number of Characters: 101\nNumber of Lines:9\n\nNumber of Errors: 0\n";
const QByteArray faultyReport = "Number of Characters: 100\nNumber of Lines:1\n**Asterisk Missing\n"
                                "or there is a blank line at:\nLine 1\n#MatchEvent\nNumber of Errors: 1\n";

} // namespace

class TestVerifyCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void run_data();
    void run();
    void options_data();
    void options();

private:
    QTemporaryDir m_dir;
};

void TestVerifyCli::initTestCase() {
    QVERIFY(m_dir.isValid());
    QByteArray faulty = nineLines;
    faulty.remove(11, 1); // the first line's asterisk
    for (const auto& [name, bytes] : {std::pair{"clean.txt", nineLines}, std::pair{"faulty.txt", faulty}}) {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
}

void TestVerifyCli::run_data() {
    QTest::addColumn<QStringList>("args"); // file names are relative to the scratch folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out"); // "{dir}" stands for the scratch folder
    QTest::addColumn<QByteArray>("err");

    QTest::newRow("clean file") << QStringList{u"clean.txt"_s} << 0 << cleanReport << QByteArray();
    QTest::newRow("faulty file") << QStringList{u"faulty.txt"_s} << 1 << faultyReport << QByteArray();
    QTest::newRow("unreadable file")
        << QStringList{u"missing.txt"_s} << 2 << QByteArray()
        << QByteArray("quenbury-verify: {dir}/missing.txt: No such file or directory\n");
    QTest::newRow("several files") << QStringList{u"clean.txt"_s, u"faulty.txt"_s} << 1
                                   << "==> {dir}/clean.txt <==\n" + cleanReport +
                                          "\n==> {dir}/faulty.txt <==\n" + faultyReport
                                   << QByteArray();
    QTest::newRow("unreadable among others")
        << QStringList{u"clean.txt"_s, u"missing.txt"_s, u"clean.txt"_s} << 2
        << "==> {dir}/clean.txt <==\n" + cleanReport + "\n==> {dir}/clean.txt <==\n" + cleanReport
        << QByteArray("quenbury-verify: {dir}/missing.txt: No such file or directory\n");
}

void TestVerifyCli::run() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);

    for (QString& arg : args)
        arg = m_dir.filePath(arg);
    QProcess process;
    process.start(QStringLiteral(QUENBURY_BIN_DIR "/quenbury-verify"), args);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QByteArray dir = m_dir.path().toLocal8Bit();
    QCOMPARE(process.readAllStandardError(), err.replace("{dir}", dir));
    QCOMPARE(process.readAllStandardOutput(), out.replace("{dir}", dir));
    QCOMPARE(process.exitCode(), exitCode);
}

void TestVerifyCli::options_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("firstOutLine");
    QTest::addColumn<QByteArray>("firstErrLine");
    QTest::newRow("--help") << QStringList{u"--help"_s} << 0 << QByteArray("Usage: quenbury-verify FILE...")
                            << QByteArray();
    QTest::newRow("-h with a file") << QStringList{u"-h"_s, u"x.txt"_s} << 0
                                    << QByteArray("Usage: quenbury-verify FILE...") << QByteArray();
    QTest::newRow("--version") << QStringList{u"--version"_s} << 0
                               << QByteArray("quenbury-verify " QUENBURY_VERSION) << QByteArray();
    QTest::newRow("no file") << QStringList{} << 2 << QByteArray()
                             << QByteArray("quenbury-verify: no file given");
}

void TestVerifyCli::options() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, firstOutLine);
    QFETCH(QByteArray, firstErrLine);

    QProcess process;
    process.start(QStringLiteral(QUENBURY_BIN_DIR "/quenbury-verify"), args);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.readAllStandardOutput().split('\n').first(), firstOutLine);
    QCOMPARE(process.readAllStandardError().split('\n').first(), firstErrLine);
    QCOMPARE(process.exitCode(), exitCode);
}

QTEST_GUILESS_MAIN(TestVerifyCli)
#include "tst_verifycli.moc"
