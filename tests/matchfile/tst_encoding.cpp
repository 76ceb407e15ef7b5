#include "matchfile/encoding.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quenbury::matchfile;

class TestEncoding : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips();
    void knownBytes_data();
    void knownBytes();
    void refused_data();
    void refused();
};

// A location database line must reach the saved file byte for byte, whatever bytes it holds.
void TestEncoding::everyByteRoundTrips() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromWindows1252(all);
    QCOMPARE(text.size(), 256);
    const Windows1252Bytes back = toWindows1252(text);
    QVERIFY(!back.unencodable);
    QCOMPARE(back.bytes, all);
}

void TestEncoding::knownBytes_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");
    QTest::newRow("euro sign") << 0x80 << 0x20AC;
    QTest::newRow("undefined 0x81 kept") << 0x81 << 0x81;
    QTest::newRow("left double quote") << 0x93 << 0x201C;
    QTest::newRow("no-break space") << 0xA0 << 0xA0;
    QTest::newRow("e acute") << 0xE9 << 0xE9;
    QTest::newRow("y diaeresis") << 0xFF << 0xFF;
}

void TestEncoding::knownBytes() {
    QFETCH(int, byte);
    QFETCH(int, codePoint);
    const QByteArray one(1, char(byte));
    QCOMPARE(fromWindows1252(one), QString(QChar(codePoint)));
    QCOMPARE(toWindows1252(QString(QChar(codePoint))).bytes, one);
}

void TestEncoding::refused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    QTest::newRow("U+0100 alone") << u"\u0100"_s << u"\u0100"_s << 1 << 1;
    QTest::newRow("U+0100 on line 3") << u"A*\r\nB*\r\nxy\u0100z*\r\n"_s << u"\u0100"_s << 3 << 3;
    QTest::newRow("first of two reported") << u"\u00e9\u0101\u0102"_s << u"\u0101"_s << 1 << 2;
    QTest::newRow("emoji") << u"AB*\r\nab\U0001F600*\r\n"_s << u"\U0001F600"_s << 2 << 3;
    QTest::newRow("lone high surrogate")
        << u"a*\r\n"_s + QChar(0xD800) + u"b"_s << QString(QChar(0xD800)) << 2 << 1;
    QTest::newRow("lone low surrogate") << u"abcd"_s + QChar(0xDC00) << QString(QChar(0xDC00)) << 1 << 5;
}

void TestEncoding::refused() {
    QFETCH(QString, text);
    QFETCH(QString, character);
    QFETCH(int, line);
    QFETCH(int, column);

    const Windows1252Bytes result = toWindows1252(text);
    QVERIFY(result.unencodable);
    QVERIFY(result.bytes.isEmpty());
    QCOMPARE(result.unencodable->character, character);
    QCOMPARE(result.unencodable->line, line);
    QCOMPARE(result.unencodable->column, column);
    const QString told = result.unencodable->describe();
    QVERIFY2(told.contains(u"line %1, column %2"_s.arg(line).arg(column)), qPrintable(told));
}

QTEST_APPLESS_MAIN(TestEncoding)
#include "tst_encoding.moc"
