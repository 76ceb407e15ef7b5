#include "matchfile/verifier.h"
#include "support/testfiles.h"

#include <QTest>

using namespace Qt::StringLiterals;
using quenbury::matchfile::verify;

namespace {

// The expected report is put together here from the receivers' report wording, piece by piece.
const QString tooManyLines = u"**FILE TOO LONG\r\nEXCEEDS 2000 LINES\r\n-Shorten File and Reverify!"_s;
const QString noEndMark = u"\r\n**No End Of File Detected\r\n- EOFEOF*\r\n"_s;
QString longRun(int line, const QString& excerpt) {
    return u"**Line too Long-\r\nShorten Line Number: "_s + QString::number(line) + u"\r\n"_s + excerpt +
           u"\r\nLength= 33"_s;
}
QString missingAsterisk(int line, const QString& excerpt) {
    return u"**Asterisk Missing\r\nor there is a blank line at:\r\nLine "_s + QString::number(line) +
           u"\r\n"_s + excerpt;
}

const QString crlf = u"\r\n"_s;
const QString first = u"#MatchEvent*\r\n"_s;

} // namespace

class TestVerifier : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void report_data();
    void report();
    void workedExamples();
};

void TestVerifier::report_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("findings");

    const QString a32 = u"A"_s.repeated(32);
    const QString b30 = u"B"_s.repeated(30);
    const QString end = u"L*\r\n"_s.repeated(16) + closingLines;

    // Run limit: 32 characters after an asterisk, the CR LF of the line before included.
    QTest::newRow("first line 32 accepted") << a32 + u"*\r\n"_s + end << 20 << 0 << QString();
    QTest::newRow("first line 33 rejected") << a32 + u"A*\r\n"_s + end << 0 << 1 << longRun(1, a32);
    QTest::newRow("later line 31 rejected")
        << first + b30 + u"B*\r\n"_s + end << 1 << 1 << longRun(2, crlf + b30);
    QTest::newRow("first-line length later rejected")
        << first + a32 + u"*\r\n"_s + end << 1 << 1 << longRun(2, crlf + u"A"_s.repeated(30));
    QTest::newRow("second run of a later line holds 32")
        << first + u"AB*"_s + a32 + u"*\r\n"_s + end << 21 << 0 << QString();
    QTest::newRow("second run of a later line holds 33")
        << first + u"AB*"_s + a32 + u"A*\r\n"_s + end << 1 << 1 << longRun(2, a32);
    QTest::newRow("lone LF is counted in the run")
        << first + u"A*\n"_s + u"B"_s.repeated(32) + u"*\r\n"_s + end << 1 << 1
        << longRun(2, u"\n"_s + u"B"_s.repeated(31));
    QTest::newRow("32 characters and a CR overflow at the CR")
        << a32 + u"\r\n"_s + end << 1 << 1 << longRun(2, a32);
    QTest::newRow("last line without line end is measured")
        << first + closingLines + u"C"_s.repeated(31) << 4 << 1 << longRun(5, crlf + u"C"_s.repeated(30));

    // Line limit: fewer than 2000 carriage returns.
    QTest::newRow("1999 lines pass") << u"L*\r\n"_s.repeated(1996) + closingLines << 1999 << 0 << QString();
    QTest::newRow("2000 lines fail") << u"L*\r\n"_s.repeated(1997) + closingLines << 2000 << 1
                                     << tooManyLines;

    // End mark.
    QTest::newRow("end mark missing") << first + u"YYYYYY*\r\n"_s << 2 << 1 << noEndMark;
    QTest::newRow("end mark in lower case") << first + u"eofeof*\r\n"_s << 2 << 1 << noEndMark;
    QTest::newRow("end mark inside a line") << first + u"ABCEOFEOF*\r\n"_s << 2 << 0 << QString();
    QTest::newRow("end mark without its asterisk")
        << first + u"EOFEOF\r\n"_s << 2 << 2 << noEndMark + missingAsterisk(2, first + u"EOFEOF"_s);

    // Blank lines and missing asterisks.
    QTest::newRow("first character a CR")
        << u"\r\n"_s + first + end << 1 << 1 << missingAsterisk(1, QString());
    QTest::newRow("two CR LF in a row after line 5")
        << nineLines.left(55) + crlf + end << 6 << 1
        << missingAsterisk(6, u"YYY*\r\n#MatchLocation*\r\n000000*\r\n"_s);
    QTest::newRow("excerpt shorter than 32")
        << first + u"ABC\r\n"_s + end << 2 << 1 << missingAsterisk(2, first + u"ABC"_s);
    QTest::newRow("excerpt of exactly 32") << u"#123456789*\r\n"_s + u"A"_s.repeated(25) + crlf + end << 2
                                           << 1 << missingAsterisk(2, u"6789*\r\n"_s + u"A"_s.repeated(25));
    QTest::newRow("lines after the end mark are examined")
        << u"#X*\r\n"_s + closingLines + u"Q\r\n"_s << 5 << 1
        << missingAsterisk(5, u"X*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\nQ"_s);
    QTest::newRow("last line without asterisk and CR LF not reported")
        << first + closingLines + u"trailing"_s << 4 << 0 << QString();

    // Several findings, in their fixed order.
    QTest::newRow("2000 lines and no end mark")
        << u"L*\r\n"_s.repeated(2000) << 2000 << 2 << tooManyLines + noEndMark;
    QTest::newRow("2000 lines and a missing asterisk")
        << u"L*\r\n"_s.repeated(1999) + u"M\r\n"_s + closingLines << 2000 << 2
        << tooManyLines + missingAsterisk(2000, u"*\r\n"_s + u"L*\r\n"_s.repeated(7) + u"M"_s);
    QTest::newRow("2000 lines, no end mark and a long line")
        << u"L*\r\n"_s.repeated(2000) + u"D"_s.repeated(31) << 2000 << 3
        << tooManyLines + noEndMark + longRun(2001, crlf + u"D"_s.repeated(30));

    QTest::newRow("empty text") << QString() << 0 << 1 << noEndMark;
}

void TestVerifier::report() {
    QFETCH(QString, text);
    QFETCH(int, lines);
    QFETCH(int, errors);
    QFETCH(QString, findings);

    const auto result = verify(text);
    QCOMPARE(result.StatusText,
             u"Number of Characters: %1\r\nNumber of Lines:%2\r\n"_s.arg(text.size()).arg(lines) + findings +
                 u"\r\nNumber of Errors: "_s + QString::number(errors));
    QCOMPARE(result.CharCount, text.size());
    QCOMPARE(result.LineCount, lines);
    QCOMPARE(result.ErrorCount, errors);
    QCOMPARE(result.isClean(), errors == 0);
}

// The worked examples, with their reports written out in full.
void TestVerifier::workedExamples() {
    QCOMPARE(verify(nineLines).StatusText,
             u"Number of Characters: 101\r\nNumber of Lines:9\r\n\r\nNumber of Errors: 0"_s);
    QCOMPARE(verify(QString(nineLines).remove(11, 1)).StatusText,
             u"Number of Characters: 100\r\nNumber of Lines:1\r\n**Asterisk Missing\r\n"
             u"or there is a blank line at:\r\nLine 1\r\n#MatchEvent\r\nNumber of Errors: 1"_s);
}

QTEST_APPLESS_MAIN(TestVerifier)
#include "tst_verifier.moc"
