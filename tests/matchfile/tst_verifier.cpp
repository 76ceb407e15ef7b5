#include "matchfile/verifier.h"
#include "support/testfiles.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestVerifier : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void report_data();
    void report();
};

// One row a case of data/reports.txt: "# name", "text: ..." and "report: ...".
void TestVerifier::report_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("report");
    static const QRegularExpression repeat(u"\\{([^{}]*)\\}\\*(\\d+)"_s);
    const auto unescape = [](QString s) {
        for (QRegularExpressionMatch m = repeat.match(s); m.hasMatch(); m = repeat.match(s))
            s.replace(m.capturedStart(), m.capturedLength(), m.captured(1).repeated(m.captured(2).toInt()));
        return s.replace(u"\\r"_s, u"\r"_s).replace(u"\\n"_s, u"\n"_s);
    };
    const QStringList lines =
        QString::fromUtf8(readFile(QStringLiteral(QUENBURY_TEST_DATA "/reports.txt"))).split(u'\n');
    for (qsizetype i = 0; i + 2 < lines.size(); ++i) {
        if (lines[i + 1].startsWith(u"text: "_s) && lines[i + 2].startsWith(u"report: "_s))
            QTest::newRow(qPrintable(lines[i].mid(2)))
                << unescape(lines[i + 1].mid(6)) << unescape(lines[i + 2].mid(8));
    }
}

void TestVerifier::report() {
    QFETCH(QString, text);
    QFETCH(QString, report);
    const auto result = quenbury::matchfile::verify(text);
    QCOMPARE(result.StatusText, report);
    QCOMPARE(result.CharCount, text.size());
    QCOMPARE(result.isClean(), report.endsWith(u"Errors: 0"_s));
    QCOMPARE(result.LineCount, report.section(u"Lines:"_s, 1).section(u'\r', 0, 0).toInt());
}

QTEST_APPLESS_MAIN(TestVerifier)
#include "tst_verifier.moc"
