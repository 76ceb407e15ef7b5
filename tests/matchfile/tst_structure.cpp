#include "matchfile/structure.h"
#include "support/table.h"
#include "translations/translationheader.h"

#include <QTest>

using namespace Qt::StringLiterals;
using quenbury::matchfile::checkStructure;

class TestStructure : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findings_data();
    void findings();
};

namespace {

// The pieces a text of the table is made of.
QString expanded(QString text, const QString& where) {
    static const QRegularExpression edit(u"\\[(.*)=>(.*)\\]$"_s,
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch replacement = edit.match(text);
    if (replacement.hasMatch())
        text.truncate(replacement.capturedStart());
    text.replace(u"<ev>"_s, u"#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s);
    text.replace(u"<al>"_s, u"001000EntireArea*\r\n"_s);
    text.replace(u"<hdr>"_s, quenbury::translations::translationHeader());
    text.replace(u"<close>"_s, u"YYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n"_s);
    if (text.contains(u'<'))
        QTest::qFail(qPrintable(where + u": unknown piece"_s), __FILE__, __LINE__);
    if (!replacement.hasMatch())
        return text;
    const qsizetype at = text.indexOf(replacement.captured(1));
    if (at < 0)
        QTest::qFail(qPrintable(where + u": nothing to replace"_s), __FILE__, __LINE__);
    return text.replace(at, replacement.captured(1).size(), replacement.captured(2));
}

} // namespace

void TestStructure::findings_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("report");
    const QList<TableRow> rows = readTable(u"structure.txt"_s, u"|"_s, 3);
    QCOMPARE(rows.size(), 30);
    for (const TableRow& row : rows) {
        const QString text = expanded(unescaped(row.fields[1]), row.where);
        QString report = unescaped(row.fields[2]).replace(u"\n"_s, u"\r\n"_s);
        if (!report.isEmpty())
            report.prepend(u"\r\n\r\n"_s);
        QTest::newRow(qPrintable(row.fields[0])) << text << report;
    }
}

void TestStructure::findings() {
    QFETCH(QString, text);
    QFETCH(QString, report);
    const quenbury::matchfile::StructureCheck check = checkStructure(text);
    QCOMPARE(check.report(), report);
    QCOMPARE(check.hasErrors(), report.contains(u"Not A Windows-1252 Character"_s));
}

QTEST_APPLESS_MAIN(TestStructure)
#include "tst_structure.moc"
