#include "support/testfiles.h"
#include "translations/translationheader.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace quenbury::translations;

namespace {

QStringList linesOf(const QString& text) {
    QStringList lines = text.split(u"\r\n"_s);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestTranslationHeader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesTheReceiverTables();
    void blocks_data();
    void blocks();
};

void TestTranslationHeader::matchesTheReceiverTables() {
    const QByteArray expected = readFile(QStringLiteral(QUENBURY_TEST_DATA "/translation-header.txt"));
    QCOMPARE(expected.size(), 1918);
    QCOMPARE(translationHeader().toLatin1(), expected);

    const QStringList lines = linesOf(translationHeader());
    QCOMPARE(lines.size(), 125);
    QCOMPARE(lines.first(), u"YYYYYY*"_s);
    QCOMPARE(lines.last(), u"#Translations*"_s);
    QVERIFY(!lines.contains(QString()));
    const auto at = [&](const QString& line) { return lines.indexOf(line); };

    // ADR stands twice among the event lines: both are the receiver's.
    QCOMPARE(lines.filter(QRegularExpression(u"^ADR-"_s)).size(), 2);
    QCOMPARE(at(u"ADR-AdminMessage*"_s), at(u"#EEE*"_s) + 3);
    QCOMPARE(at(u"ADR-AdministrativeMsg*"_s), at(u"#EEE*"_s) + 8);
    QCOMPARE(at(u"#ST*"_s) - at(u"#EEE*"_s), 56); // 54 event lines and the separator

    // The outlying areas keep their order; code 69 has no line.
    QVERIFY(at(u"PR72*"_s) >= 0);
    QCOMPARE(at(u"PW70*"_s), at(u"PR72*"_s) + 1);
    QCOMPARE(lines.filter(QRegularExpression(u"^[A-Z]{2}69\\*$"_s)).size(), 0);
    QCOMPARE(lines.filter(QRegularExpression(u"^[A-Z]{2}\\d\\d\\*$"_s)).size(), 59);
}

// The seven module strings split the header where the receiver's tables do.
void TestTranslationHeader::blocks_data() {
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("characters");
    QTest::addColumn<QString>("first");
    QTest::newRow("OrgBlock") << 0 << 7 << 128 << u"YYYYYY*"_s;
    QTest::newRow("EventBlock1") << 1 << 24 << 565 << u"#EEE*"_s;
    QTest::newRow("EventBlock2") << 2 << 24 << 611 << u"FLW-FloodWARNING*"_s;
    QTest::newRow("EventBlock3") << 3 << 8 << 170 << u"TRW-TropicalStormWARNING*"_s;
    QTest::newRow("StateBlock1") << 4 << 25 << 174 << u"#ST*"_s;
    QTest::newRow("StateBlock2") << 5 << 25 << 175 << u"MS28*"_s;
    QTest::newRow("StateBlock3") << 6 << 12 << 95 << u"WI55*"_s;
}

void TestTranslationHeader::blocks() {
    QFETCH(int, block);
    QFETCH(int, lines);
    QFETCH(int, characters);
    QFETCH(QString, first);
    const QString& text = translationHeaderBlocks()[std::size_t(block)];
    QCOMPARE(text.size(), characters);
    QCOMPARE(linesOf(text).size(), lines);
    QCOMPARE(linesOf(text).first(), first);
    QVERIFY(text.endsWith(u"\r\n"_s));
}

QTEST_APPLESS_MAIN(TestTranslationHeader)
#include "tst_translationheader.moc"
