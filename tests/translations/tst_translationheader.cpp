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

QTEST_APPLESS_MAIN(TestTranslationHeader)
#include "tst_translationheader.moc"
