#include "support/table.h"
#include "support/testfiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
    const bool entered = QDir::setCurrent(m_dir.path());
    QVERIFY(entered);
    const QByteArray faulty = QByteArray(nineLineBytes).remove(11, 1);
    const QByteArray lone = QByteArray(nineLineBytes).remove(19, 1).chopped(2) + '\n';
    const QString clean = writeFile(u"clean.txt"_s, nineLineBytes);
    const QString help = writeFile(u"--help"_s, faulty);
    const QString ends = writeFile(u"lone.txt"_s, lone);
    const QString twice = writeFile(u"twice.txt"_s, nineLineBytes + closingLines.toLatin1());
    QVERIFY(!clean.isEmpty() && !help.isEmpty() && !ends.isEmpty() && !twice.isEmpty());
}

void TestVerifyCli::run_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    const QString clean = u"Number of Characters: 101\nNumber of Lines:9\n\nNumber of Errors: 0\n"_s;
    const QString faulty = u"Number of Characters: 100\nNumber of Lines:1\n**Asterisk Missing\n"
                           u"or there is a blank line at:\nLine 1\n#MatchEvent\nNumber of Errors: 1\n\n"
                           u"**Marker Missing or Misplaced at:\nLine 1\n\"#MatchEvent\"\n"
                           u"Expected: \"#MatchEvent*\" here: add it,\nor move this line\n(1 line)\n"_s;
    const QList<TableRow> rows = readTable(u"runs.txt"_s, u" | "_s, 5);
    for (const TableRow& row : rows) {
        QString out = unescaped(row.fields[3]).replace(u"<clean>"_s, clean);
        out.replace(u"<faulty>"_s, faulty);
        const QByteArray err = unescaped(row.fields[4]).toUtf8();
        const int exitCode = row.fields[2].toInt();
        QTest::newRow(qPrintable(row.fields[0])) << row.fields[1] << exitCode << out.toUtf8() << err;
    }
    QCOMPARE(rows.size(), 20);
}

void TestVerifyCli::run() {
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QProcess process;
    const QString program = QStringLiteral(QUENBURY_BIN_DIR "/quenbury-verify");
    process.start(u"/bin/sh"_s, {u"-c"_s, u"v() { \"$0\" \"$@\"; }; "_s + command, program});
    // Generous: a 64 MiB file in the sanitizers' build on a busy machine takes its time.
    const bool finished = process.waitForFinished(120000);
    QVERIFY(finished);
    if (process.exitCode() == 77)
        QSKIP("this user may not make a device node");
    QCOMPARE(process.readAllStandardError(), err);
    QCOMPARE(process.readAllStandardOutput(), out);
    QCOMPARE(process.exitCode(), exitCode);
}

QTEST_GUILESS_MAIN(TestVerifyCli)
#include "tst_verifycli.moc"
