#include "matchfile/terminal.h"

#include <QTest>

using quenbury::matchfile::escapeForTerminal;
using quenbury::matchfile::LineFeeds;

class TestTerminal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escape_data();
    void escape();
};

void TestTerminal::escape_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("shown"); // on a terminal, as `ls -b` shows a name
    QTest::addColumn<bool>("keepLineFeeds");
    const auto row = [](const char* name, QByteArray bytes, QByteArray shown, bool keep) {
        QTest::newRow(name) << bytes << shown << keep;
    };
    row("text and a tab", "a b\tc*\\", "a b\tc*\\", false);
    row("C escapes", "\a\b\n\v\f\r", "\\a\\b\\n\\v\\f\\r", false);
    row("line feeds of a report", "A*\nB\r*", "A*\nB\\r*", true);
    row("title and delete", "\033]0;x\007\177", "\\033]0;x\\a\\177", false);
    const QByteArray utf8 = "\xC2\xA0\xE2\x82\xAC\xF0\x9F\x98\x80";
    row("UTF-8", utf8, utf8, false);
    row("C1 control character",
        "\xC2\x9B"
        "2J",
        "\\302\\2332J", false);
    row("not UTF-8", "\377a\xE2\x82", "\\377a\\342\\202", false);
    row("overlong, surrogate, past U+10FFFF", "\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80",
        "\\300\\257\\355\\240\\200\\364\\220\\200\\200", false);
}

void TestTerminal::escape() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, shown);
    QFETCH(bool, keepLineFeeds);
    const LineFeeds lineFeeds = keepLineFeeds ? LineFeeds::Kept : LineFeeds::Escaped;
    QCOMPARE(escapeForTerminal(bytes, lineFeeds), shown);
}

QTEST_APPLESS_MAIN(TestTerminal)
#include "tst_terminal.moc"
