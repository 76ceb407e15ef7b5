#include "events/eventcatalogue.h"
#include "support/testfiles.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quenbury::events;

class TestEvents : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void catalogueAndSection();
};

// The receivers' rows, typed in from their table as "caption|match line", in their own order.
void TestEvents::catalogueAndSection() {
    const QStringList rows = QString::fromUtf8(readFile(QStringLiteral(QUENBURY_TEST_DATA "/catalogue.txt")))
                                 .split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), EventCount);
    std::array<bool, EventCount> ticked{};
    QString everyLine;
    for (int row = 0; row < EventCount; ++row) {
        QCOMPARE(EventCatalogue[row].caption, rows[row].section(u'|', 0, 0));
        QCOMPARE(EventCatalogue[row].matchLine, rows[row].section(u'|', 1));
        everyLine += rows[row].section(u'|', 1) + u"\r\n"_s;
        // Odd rows only: a section holds the ticked rows alone, in catalogue order.
        ticked[row] = row % 2;
    }
    const QString head = u"#MatchEvent*\r\n"_s, tail = u"YYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s;
    QCOMPARE(matchEventSection({}), head + tail);
    QCOMPARE(matchEventSection(ticked).size(), head.size() + tail.size() + 26 * 6); // the odd rows
    ticked.fill(true);
    QCOMPARE(matchEventSection(ticked), head + everyLine + tail);
}

QTEST_APPLESS_MAIN(TestEvents)
#include "tst_events.moc"
