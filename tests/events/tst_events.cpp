#include "events/eventcatalogue.h"
#include "support/table.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quenbury::events;

class TestEvents : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void catalogueAndSection();
};

void TestEvents::catalogueAndSection() {
    const QList<TableRow> rows = readTable(u"catalogue.txt"_s, u"|"_s, 2);
    QCOMPARE(rows.size(), 53);
    std::array<bool, EventCount> ticked{};
    QString everyLine;
    for (int row = 0; row < EventCount; ++row) {
        QCOMPARE(EventCatalogue[row].caption, rows[row].fields[0]);
        QCOMPARE(EventCatalogue[row].matchLine, rows[row].fields[1]);
        everyLine += rows[row].fields[1] + u"\r\n"_s;
        // Odd rows only: a section holds the ticked rows alone, in catalogue order.
        ticked[row] = row % 2;
    }
    const QString head = u"#MatchEvent*\r\n"_s;
    const QString tail = u"YYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s;
    QCOMPARE(matchEventSection({}), head + tail);
    const QString odd = matchEventSection(ticked);
    QCOMPARE(odd.size(), head.size() + tail.size() + 26 * 6);
    ticked.fill(true);
    QCOMPARE(matchEventSection(ticked), head + everyLine + tail);
}

QTEST_APPLESS_MAIN(TestEvents)
#include "tst_events.moc"
