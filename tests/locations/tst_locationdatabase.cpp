#include "locations/areatable.h"
#include "locations/locationdatabase.h"
#include "matchfile/verifier.h"
#include "support/testfiles.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace quenbury::locations;

namespace {

QByteArray shippedBytes() {
    return readFile(QStringLiteral(QUENBURY_BUILD_DATA_DIR "/locations.txt"));
}
QStringList shippedLines() {
    return QString::fromLatin1(shippedBytes()).split(u"\r\n"_s, Qt::SkipEmptyParts);
}

} // namespace

class TestLocationDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void areaTable();
    void areaRows_data();
    void areaRows();
    void shippedFileForm();
    void shippedFileAreas();
    void shippedFileCodes_data();
    void shippedFileCodes();
};

void TestLocationDatabase::areaTable() {
    QCOMPARE(AreaTable.size(), size_t(71));
    int previousCode = 0;
    for (const Area& area : AreaTable) {
        QCOMPARE(area.entireAreaLine, u"0"_s + area.caption.left(2).toString() + u"000EntireArea*"_s);
        QCOMPARE(area.caption.at(2), u'-');
        const int code = area.caption.left(2).toInt();
        QVERIFY2(code > previousCode, qPrintable(area.caption.toString()));
        previousCode = code;
    }
    QVERIFY(entireAreaLine(-1).isEmpty());
    QVERIFY(entireAreaLine(71).isEmpty());
}

void TestLocationDatabase::areaRows_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("line");
    QTest::newRow("first") << 0 << u"01-Alabama"_s << u"001000EntireArea*"_s;
    QTest::newRow("Arizona") << 2 << u"04-Arizona"_s << u"004000EntireArea*"_s;
    QTest::newRow("Arkansas") << 3 << u"05-Arkansas"_s << u"005000EntireArea*"_s;
    QTest::newRow("District") << 8 << u"11-District of Columbia"_s << u"011000EntireArea*"_s;
    QTest::newRow("New York") << 32 << u"36-New York"_s << u"036000EntireArea*"_s;
    QTest::newRow("misspelt") << 38 << u"42-Pennsylvannia"_s << u"042000EntireArea*"_s;
    QTest::newRow("parenthesis") << 47 << u"53-Washington (State)"_s << u"053000EntireArea*"_s;
    QTest::newRow("no hyphen") << 53 << u"59-Cen.Pacific Hawaii"_s << u"059000EntireArea*"_s;
    QTest::newRow("Somoa") << 54 << u"61-S.Cen.Pacific-AmSomoa"_s << u"061000EntireArea*"_s;
    QTest::newRow("69") << 58 << u"69-N. Mariana Islands"_s << u"069000EntireArea*"_s;
    QTest::newRow("ME-NC") << 60 << u"73-N. Atlantic-US East Coast ME-NC"_s << u"073000EntireArea*"_s;
    QTest::newRow("Lake St. Clair") << 67 << u"94-Lake St. Clair"_s << u"094000EntireArea*"_s;
    QTest::newRow("last, no point") << 70 << u"98-St Lawrence River"_s << u"098000EntireArea*"_s;
}

void TestLocationDatabase::areaRows() {
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QString, line);
    QCOMPARE(AreaTable[index].caption, caption);
    QCOMPARE(entireAreaLine(index), line);
}

// The shipped database must give a clean file whatever lines the user adds from it.
void TestLocationDatabase::shippedFileForm() {
    const QByteArray bytes = shippedBytes();
    QVERIFY(!bytes.isEmpty());
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));
    for (char c : bytes)
        QVERIFY2(uchar(c) < 0x80 && (uchar(c) >= 0x20 || c == '\r' || c == '\n'), "not printable ASCII");

    const QStringList lines = QString::fromLatin1(bytes).split(u"\r\n"_s, Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), bytes.count("\r\n"));
    QCOMPARE(QSet<QString>(lines.begin(), lines.end()).size(), lines.size());
    for (const QString& line : lines) {
        QVERIFY2(line.endsWith(u'*') && line.count(u'*') == 1 && line.size() <= 31, qPrintable(line));
        const auto result = quenbury::matchfile::verify(u"#MatchLocation*\r\n"_s + line +
                                                        u"\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n"_s);
        QVERIFY2(result.isClean(), qPrintable(line));
    }
}

void TestLocationDatabase::shippedFileAreas() {
    const QStringList lines = shippedLines();
    QVERIFY(!lines.isEmpty());
    for (qsizetype i = 1; i < lines.size(); ++i)
        QVERIFY2(lines[i - 1].left(6) < lines[i].left(6), qPrintable(lines[i]));
    for (const Area& area : AreaTable) {
        const QString group = u"0"_s + area.caption.left(2).toString();
        const qsizetype firstOfGroup =
            std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(group); }) -
            lines.begin();
        QCOMPARE(lines.indexOf(area.entireAreaLine.toString()), firstOfGroup);
    }
}

void TestLocationDatabase::shippedFileCodes_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("present");
    QTest::newRow("02261 Valdez-Cordova, split") << u"002261"_s << false;
    QTest::newRow("02270 Wade Hampton, renamed") << u"002270"_s << false;
    QTest::newRow("46113 Shannon, renamed") << u"046113"_s << false;
    QTest::newRow("51515 Bedford city, merged") << u"051515"_s << false;
    QTest::newRow("02063 Chugach") << u"002063"_s << true;
    QTest::newRow("02066 Copper River") << u"002066"_s << true;
    QTest::newRow("02158 Kusilvak") << u"002158"_s << true;
    QTest::newRow("46102 Oglala Lakota") << u"046102"_s << true;
}

void TestLocationDatabase::shippedFileCodes() {
    QFETCH(QString, code);
    QFETCH(bool, present);
    const QStringList lines = shippedLines();
    QVERIFY(!lines.isEmpty());
    const bool found =
        std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(code); });
    QCOMPARE(found, present);
}

QTEST_APPLESS_MAIN(TestLocationDatabase)
#include "tst_locationdatabase.moc"
