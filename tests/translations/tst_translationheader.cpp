#include "support/testfiles.h"
#include "translations/translationheader.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quenbury::translations;

class TestTranslationHeader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesTheReceiverTables();
};

// The fixture is the receiver's tables typed in line by line: ADR twice, "PR72*" before "PW70*",
// no line for code 69.
void TestTranslationHeader::matchesTheReceiverTables() {
    const QByteArray expected = readFile(QStringLiteral(QUENBURY_TEST_DATA "/translation-header.txt"));
    QCOMPARE(expected.size(), 1918);
    QCOMPARE(translationHeader().toLatin1(), expected);
    // The seven module strings split the header where the receiver's tables do.
    QStringList firstLines;
    for (const QString& block : translationHeaderBlocks())
        firstLines.append(block.section(u"\r\n"_s, 0, 0));
    QCOMPARE(firstLines, (QStringList{u"YYYYYY*"_s, u"#EEE*"_s, u"FLW-FloodWARNING*"_s,
                                      u"TRW-TropicalStormWARNING*"_s, u"#ST*"_s, u"MS28*"_s, u"WI55*"_s}));
}

QTEST_APPLESS_MAIN(TestTranslationHeader)
#include "tst_translationheader.moc"
