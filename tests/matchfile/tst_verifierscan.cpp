// The verifier skips long clean stretches in blocks of 64 characters; these tests hold it to the
// plain character-by-character rule on generated texts, faults placed anywhere, block edges included.

#include "matchfile/verifier.h"

#include <QRandomGenerator>
#include <QTest>

using namespace quenbury::matchfile;

namespace {

struct Counts {
    int lines = 0;
    int run = 0;
    int longLine = 0;
    int asteriskMissing = 0;
};

// The rule, one character at a time.
Counts characterScan(QStringView text) {
    Counts c;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\r')
            ++c.lines;
        c.run = ch == u'*' ? 0 : c.run + 1;
        if (c.run > 32) {
            c.longLine = 1;
            break;
        }
        if (ch == u'\r' && (i == 0 || text[i - 1] != u'*')) {
            c.asteriskMissing = 1;
            break;
        }
    }
    return c;
}

enum Fault { None, LongLine, NoAsterisk, LoneCarriageReturn, BlankLine, LoneLineFeed };

// Well-formed lines of random length, one of them spoilt by `fault`.
QString generate(QRandomGenerator& random, Fault fault) {
    const int lines = random.bounded(1, 600);
    const int faulty = random.bounded(0, lines);
    QString text;
    for (int line = 0; line < lines; ++line) {
        const bool spoilt = fault != None && line == faulty;
        int length = random.bounded(0, line == 0 ? 33 : 31);
        if (spoilt && fault == LongLine)
            length = random.bounded(31, 70);
        for (int k = 0; k < length; ++k)
            text += QChar(u'A' + random.bounded(0, 26));
        if (!(spoilt && fault == NoAsterisk))
            text += u'*';
        if (spoilt && fault == LoneCarriageReturn)
            text += u'\r';
        if (spoilt && fault == BlankLine)
            text += QStringLiteral("\r\n");
        text += spoilt && fault == LoneLineFeed ? QStringLiteral("\n") : QStringLiteral("\r\n");
    }
    return text;
}

} // namespace

class TestVerifierScan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void agreesWithCharacterRule_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("clean texts") << int(None);
        QTest::newRow("one line too long") << int(LongLine);
        QTest::newRow("one asterisk missing") << int(NoAsterisk);
        QTest::newRow("a lone carriage return") << int(LoneCarriageReturn);
        QTest::newRow("a blank line") << int(BlankLine);
        QTest::newRow("a lone line feed") << int(LoneLineFeed);
    }
    void agreesWithCharacterRule() {
        QFETCH(int, fault);
        QRandomGenerator random(quint32(1000 + fault));
        for (int round = 0; round < 400; ++round) {
            const QString text = generate(random, Fault(fault));
            const Counts expected = characterScan(text);
            const VerifyResult r = verify(text);
            const QByteArray where = "round " + QByteArray::number(round);
            QVERIFY2(r.LineCount == expected.lines, where);
            QVERIFY2(r.RunLength == expected.run, where);
            QVERIFY2(r.LongLineFlag == expected.longLine, where);
            QVERIFY2(r.AsteriskFlag == expected.asteriskMissing, where);
        }
    }
};

QTEST_APPLESS_MAIN(TestVerifierScan)
#include "tst_verifierscan.moc"
