#include "events/eventcatalogue.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace quenbury::events;

namespace {

// The receivers' own row order, written out here independently of the catalogue.
const QStringList codes = u"EAN EAT NIC NPT RMT RWT ADR AVW AVA BZW CAE CDW CEM CFW CFA DSW EQW EVI FRW FFW "
                          u"FFA FFS FLW FLA FLS HMW HWW HWA HUW HUA HLS LEW LAE NMN TOE NUW DMO RHW SVR SVA "
                          u"SVS SPW SMW SPS TOR TOA TRW TRA TSW TSA VOW WSW WSA"_s.split(u' ');

std::array<bool, EventCount> ticks(const QList<int>& rows) {
    std::array<bool, EventCount> t{};
    for (int row : rows)
        t[row - 1] = true;
    return t;
}

} // namespace

class TestEvents : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void catalogueInvariants();
    void rows_data();
    void rows();
    void section_data();
    void section();
};

void TestEvents::catalogueInvariants() {
    QCOMPARE(codes.size(), EventCount);
    QSet<QStringView> distinct;
    for (int row = 0; row < EventCount; ++row) {
        const EventRow& event = EventCatalogue[row];
        QCOMPARE(event.matchLine, codes[row] + u'*');
        QCOMPARE(event.caption.left(4), codes[row] + u'-');
        distinct.insert(event.matchLine);
    }
    QCOMPARE(distinct.size(), EventCount);
}

void TestEvents::rows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("matchLine");
    QTest::newRow("row 1, first of column 1") << 1 << u"EAN-EmergActionNotification"_s << u"EAN*"_s;
    QTest::newRow("row 9, spelling kept") << 9 << u"AVA-AvalanchWatch"_s << u"AVA*"_s;
    QTest::newRow("row 13, inner blank") << 13 << u"CEM-CivilEmergency Message"_s << u"CEM*"_s;
    QTest::newRow("row 15, spelling kept") << 15 << u"CFA-CostalFloodWatch"_s << u"CFA*"_s;
    QTest::newRow("row 20, last of column 1") << 20 << u"FFW-FlashFloodWarning"_s << u"FFW*"_s;
    QTest::newRow("row 21, first of column 2") << 21 << u"FFA-FlashFloodWatch"_s << u"FFA*"_s;
    QTest::newRow("row 34, spelling kept") << 34 << u"NMN-NetworkMsgNotificaiton"_s << u"NMN*"_s;
    QTest::newRow("row 37, slash") << 37 << u"DMO-Practice/Demo"_s << u"DMO*"_s;
    QTest::newRow("row 40, last of column 2") << 40 << u"SVA-SevereTStormWatch"_s << u"SVA*"_s;
    QTest::newRow("row 41, first of column 3") << 41 << u"SVS-SevereWeatherStatement"_s << u"SVS*"_s;
    QTest::newRow("row 45") << 45 << u"TOR-TornadoWarning"_s << u"TOR*"_s;
    QTest::newRow("row 53, last") << 53 << u"WSA-WinterStormWatch"_s << u"WSA*"_s;
}

void TestEvents::rows() {
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(QString, matchLine);
    QCOMPARE(EventCatalogue[row - 1].caption, caption);
    QCOMPARE(EventCatalogue[row - 1].matchLine, matchLine);
}

void TestEvents::section_data() {
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<int>("length");

    QList<int> all;
    for (int row = 1; row <= EventCount; ++row)
        all.append(row);
    QTest::newRow("nothing ticked") << QList<int>{} << 49;
    QTest::newRow("all ticked") << all << 367;
    QTest::newRow("rows 1 and 53") << QList<int>{1, 53} << 61;
    QTest::newRow("row 13") << QList<int>{13} << 55;
    QTest::newRow("rows out of order, 45 then 7") << QList<int>{45, 7} << 61;
}

void TestEvents::section() {
    QFETCH(QList<int>, ticked);
    QFETCH(int, length);

    QString expected = u"#MatchEvent*\r\n"_s;
    QList<int> rows = ticked;
    std::sort(rows.begin(), rows.end());
    for (int row : rows)
        expected += codes[row - 1] + u"*\r\n"_s;
    expected += u"YYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s;

    const QString text = matchEventSection(ticks(ticked));
    QCOMPARE(text, expected);
    QCOMPARE(text.size(), length);
}

QTEST_APPLESS_MAIN(TestEvents)
#include "tst_events.moc"
