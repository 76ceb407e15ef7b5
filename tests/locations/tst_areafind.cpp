#include "locations/areafind.h"

#include <QTest>

using namespace Qt::StringLiterals;
using quenbury::locations::LineQuery;

class TestAreaFind : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matches_data();
    void matches();
};

void TestAreaFind::matches_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("area"); // the name shown beside the line
    const auto row = [](const char* name, const QString& typed, const QString& line, bool found,
                        const QString& area) { QTest::newRow(name) << typed << line << found << area; };
    row("a word in the line, another in its area", u"franklin oh"_s, u"039049Franklin*"_s, true, u"Ohio"_s);
    row("another state's Franklin", u"franklin oh"_s, u"016041Franklin*"_s, false, u"Idaho"_s);
    row("every word must be found", u"franklin ohio texas"_s, u"039049Franklin*"_s, false, u"Ohio"_s);
    row("words run together in the line", u"new york"_s, u"036061NewYork*"_s, true, u"New York"_s);
    row("a code", u"39049"_s, u"039049Franklin*"_s, true, u"Ohio"_s);
    row("a marine area by a word of its name", u"gulf"_s, u"077000EntireArea*"_s, true, u"Gulf of Mexico"_s);
    row("case folded", u"FRANKLIN Oh"_s, u"039049franklin*"_s, true, u"Ohio"_s);
    row("the line's punctuation ignored", u"hoonahangoon"_s, u"002105Hoonah-Angoon*"_s, true, u"Alaska"_s);
    row("punctuation typed ignored", u"st. clair"_s, u"094000EntireArea*"_s, true, u"Lake St. Clair"_s);
    row("a word of punctuation alone finds all", u"- *"_s, u"001001Autauga*"_s, true, u"Alabama"_s);
    row("a line of no area: its text only", u"ohio"_s, u"003001Nowhere*"_s, false, QString());
    row("empty query finds every line", QString(), u"003001Nowhere*"_s, true, QString());
}

void TestAreaFind::matches() {
    QFETCH(QString, typed);
    QFETCH(QString, line);
    QTEST(LineQuery(typed).matches(line), "found");
    QTEST(quenbury::locations::areaName(line).toString(), "area");
}

QTEST_APPLESS_MAIN(TestAreaFind)
#include "tst_areafind.moc"
