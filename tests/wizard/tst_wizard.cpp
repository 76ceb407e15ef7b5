#include "matchfile/encoding.h"
#include "wizardharness.h"

#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using quenbury::wizard::Wizard;
using Action = std::function<void(Wizard&)>;
Q_DECLARE_METATYPE(Action)

namespace {

const QString noEvents = u"#MatchEvent*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s;
const QString torOnly = nineLines.left(55);

QList<qsizetype> rows(std::initializer_list<qsizetype> list) {
    return QList<qsizetype>(list);
}

} // namespace

class TestWizard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void navigation_data();
    void navigation();
    void eventsContinueRebuilds();
    void databaseLoad_data();
    void databaseLoad();
    void areaSelection_data();
    void areaSelection();
    void addItemInListOrder_data();
    void addItemInListOrder();
    void handEdits();
    void clearPair();
};

void TestWizard::navigation_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<Action>("action");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("ticksAll");
    QTest::addColumn<bool>("ends");
    const auto row = [](const char* name, int from, Action action, int to, bool ticksAll, bool ends = false) {
        QTest::newRow(name) << from << action << to << ticksAll << ends;
    };
    row("Start Continue", 0, &Wizard::cmdContinue1_Click, 1, true);
    row("Start End", 0, &Wizard::cmdEnd1_Click, 0, false, true);
    row("Events Continue", 1, &Wizard::cmdContinue2_Click, 2, true);
    row("Events Back", 1, &Wizard::cmdBack0_Click, 0, true);
    row(
        "Events Select All", 1, [](Wizard& w) { w.cmdSelectAll1_Click(0); }, 1, true);
    row("Events Clear All", 1, &Wizard::cmdClearAll1_Click, 1, false);
    row("Events End", 1, &Wizard::cmdEnd2_Click, 1, false, true);
    row("Locations Continue", 2, &Wizard::cmdContinue3_Click, 3, true);
    row("Locations Back", 2, &Wizard::cmdBack1_Click, 1, true);
    row("Locations End", 2, &Wizard::cmdEnd3_Click, 2, false, true);
    row("Brisvane 100", 3, &Wizard::cmdContinue4_Click, 4, true);
    row("Translations Continue", 3, &Wizard::cmdContinue5_Click, 4, true);
    row("Brisvane 400 stays", 3, &Wizard::cmdBrisvane400_Click, 3, false);
    row("Translations Back", 3, &Wizard::cmdBack3_Click, 2, true);
    row("Translations End", 3, &Wizard::cmdEnd4_Click, 3, false, true);
    row("Create File Back", 4, &Wizard::cmdBack5_Click, 3, true);
    row("Create File Verify stays", 4, &Wizard::cmdCreate1_Click, 4, false);
    row("Create File End", 4, &Wizard::cmdEnd5_Click, 4, false, true);
    row("menu End", 2, &Wizard::End_Click, 2, false, true);
    row(
        "header from Start to Locations", 0, [](Wizard& w) { w.ShowPage(2); }, 2, true);
    row(
        "header of the shown page", 1, [](Wizard& w) { w.ShowPage(1); }, 1, false);
    row("tab double click", 3, &Wizard::SSTab1_DblClick, 3, true);
}

void TestWizard::navigation() {
    QFETCH(int, from);
    QFETCH(Action, action);
    QFETCH(int, to);
    QFETCH(bool, ticksAll);
    QFETCH(bool, ends);
    WizardHarness h;
    h.form.SSTab1 = from;
    h.form.Check.fill(false);
    action(h.wizard);
    QCOMPARE(h.form.SSTab1, to);
    QCOMPARE(h.allTicked(), ticksAll);
    QCOMPARE(h.platform.endRequests, ends ? 1 : 0);
    if (QByteArrayView(QTest::currentDataTag()).startsWith("header")) // none of a Continue's work
        QVERIFY(h.fileText().isEmpty() && h.form.txtText1 == u"Text1"_s);
}

void TestWizard::eventsContinueRebuilds() {
    WizardHarness h;
    h.toLocationsPage({44}); // TOR
    QCOMPARE(h.fileText(), torOnly);
    QCOMPARE(h.form.txtText1, torOnly);

    h.form.lstList1.appendLines({u"001000EntireArea*"_s});
    h.chooseLocationArea(0);
    h.wizard.cmdAdd1_Click();
    QCOMPARE(h.fileText(), torOnly + u"001000EntireArea*\r\n"_s);

    // Back shows every event ticked again; Select All and Clear All leave the text alone.
    h.wizard.cmdBack1_Click();
    QVERIFY(h.allTicked());
    h.wizard.cmdClearAll1_Click();
    h.wizard.cmdSelectAll1_Click(0);
    h.wizard.cmdClearAll1_Click();
    QCOMPARE(h.fileText(), torOnly + u"001000EntireArea*\r\n"_s);
    h.wizard.cmdContinue2_Click();
    QCOMPARE(h.fileText(), noEvents);
    QCOMPARE(h.form.txtText1, noEvents);
}

void TestWizard::databaseLoad_data() {
    QTest::addColumn<QByteArrayList>("files"); // loaded in turn; null cancels, "<missing>" and "<folder>"
    QTest::addColumn<QStringList>("lines");    // in both lists afterwards
    QTest::addColumn<QString>("count");        // caption: the lines of the last file taken
    QTest::addColumn<QStringList>("error");    // what the one message must name, "{path}" the refused file
    const QByteArray a = "A*\r\n";
    const QByteArray f = QByteArray("F*\r\n").repeated(32000);
    const QStringList fs(32000, u"F*"_s);
    const QStringList nul{u"{path}"_s, u"not a text file"_s};
    const auto row = [](const char* name, const QByteArrayList& files, const QStringList& lines,
                        const QString& count, const QStringList& error = {}) {
        QTest::newRow(name) << files << lines << count << error;
    };
    row("two CR LF lines", {"A*\r\nB*\r\n"}, {u"A*"_s, u"B*"_s}, u"2"_s);
    row("blank line, lone LF, lone CR, no final line end", {"A*\r\n\r\nB*\nC*\rD*"},
        {u"A*"_s, QString(), u"B*"_s, u"C*"_s, u"D*"_s}, u"5"_s);
    row("CR before CR LF is a blank line", {"A*\r\r\nB*\r\n"}, {u"A*"_s, QString(), u"B*"_s}, u"3"_s);
    row("LF CR is two line ends", {"A*\n\rB*"}, {u"A*"_s, QString(), u"B*"_s}, u"3"_s);
    row("only a line end", {"\r\n"}, {QString()}, u"1"_s);
    row("empty file", {""}, {}, u"0"_s);
    row("Windows-1252 bytes", {"\xE9\x80\x81\xA0*\r\n"}, {u"\u00e9\u20ac\u0081\u00a0*"_s}, u"1"_s);
    row("second load appends", {"A1*\r\nA2*\r\n", "B1*\r\nB2*\r\nB3*\r\n"},
        {u"A1*"_s, u"A2*"_s, u"B1*"_s, u"B2*"_s, u"B3*"_s}, u"3"_s);
    row("same file twice", {a, a}, {u"A*"_s, u"A*"_s}, u"1"_s);
    // The lists address their lines with 16-bit indexes: a load that would pass 32,767 is refused whole.
    row("one file of 32,767", {QByteArray("F*\r\n").repeated(32767)}, QStringList(32767, u"F*"_s),
        u"32767"_s);
    row("one file of 32,768", {QByteArray("F*\r\n").repeated(32768)}, {}, u"Label5"_s,
        {u"{path}"_s, u"32768"_s, u"32767"_s});
    row("second load reaching 32,767", {f, QByteArray("S*\r\n").repeated(767)},
        fs + QStringList(767, u"S*"_s), u"767"_s);
    row("second load one past", {f, QByteArray("S*\r\n").repeated(768)}, fs, u"32000"_s,
        {u"{path}"_s, u"768"_s, u"767"_s});
    // After a good load, a cancelled or refused one leaves every caption, list and value as it was.
    row("cancel", {a, QByteArray()}, {u"A*"_s}, u"1"_s);
    row("NUL bytes", {a, QByteArray("B*\r\n\0\r\n", 7)}, {u"A*"_s}, u"1"_s, nul);
    row("missing file", {a, "<missing>"}, {u"A*"_s}, u"1"_s, {u"{path}"_s, u"No such file or directory"_s});
    row("a folder", {a, "<folder>"}, {u"A*"_s}, u"1"_s, {u"{path}"_s, u"directory"_s});
}

void TestWizard::databaseLoad() {
    QFETCH(QByteArrayList, files);
    QFETCH(QStringList, lines);
    QFETCH(QString, count);
    QFETCH(QStringList, error);

    WizardHarness h;
    QString taken = u"FileName"_s;
    QByteArray takenBytes;
    QString refused;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QByteArray& bytes = files[i];
        QString path = h.dir.filePath(u"missing.txt"_s);
        if (bytes == "<folder>")
            path = h.dir.path();
        else if (bytes.isNull())
            path.clear();
        else if (bytes != "<missing>")
            path = h.writeFile(u"%1.txt"_s.arg(i), bytes);
        const qsizetype errors = h.platform.errors.size();
        h.form.enabled.cmdAdd1 = h.form.enabled.cmdClear1 = false; // to see them unlocked again
        h.load(path);
        QVERIFY(h.form.enabled.cmdAdd1 && h.form.enabled.cmdClear1);
        if (h.platform.errors.size() > errors)
            refused = path;
        else if (!path.isEmpty())
            std::tie(taken, takenBytes) = std::pair(path, bytes);
    }
    QCOMPARE(h.platform.errors.size(), error.isEmpty() ? 0 : 1);
    for (QString part : error)
        QVERIFY2(h.platform.errors.value(0).contains(part.replace(u"{path}"_s, refused)),
                 qPrintable(h.platform.errors.value(0)));
    QCOMPARE(h.form.lstList1.lines(), lines);
    QCOMPARE(h.form.lstList2.lines(), lines);
    QCOMPARE(h.form.lblLocation9, taken);
    QCOMPARE(h.form.lblLocation8,
             takenBytes.isNull() ? u"FileSize:"_s : u"File Length in bytes:  %1"_s.arg(takenBytes.size()));
    QCOMPARE(h.form.lblLocations13, count);
    QCOMPARE(h.form.rtxtTranslations1, takenBytes.isNull() ? QStringList{u"rtxtTranslations1"_s}
                                                           : lines.mid(lines.size() - count.toInt()));
    QCOMPARE(h.wizard.variables().DatabaseText, quenbury::matchfile::fromWindows1252(takenBytes));
    // The open dialog starts where the Locations page says the database is.
    QCOMPARE(h.platform.openStartFolders.first(), WizardHarness::databaseFolder);
    QCOMPARE(h.platform.openFilters.first(), u"Text files (*.txt)|*.txt|All(*.*)|*.*"_s);
}

void TestWizard::areaSelection_data() {
    QTest::addColumn<bool>("translations"); // which page's drop-down is used
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("area");
    QTest::addColumn<QString>("areaLine");
    QTest::addColumn<QList<qsizetype>>("byHand"); // selected in both lists beforehand
    QTest::addColumn<QList<qsizetype>>("selected");

    const QString al = u"001000EntireArea*"_s;
    const QStringList abc = {u"a*"_s, u"b*"_s, u"c*"_s};
    for (bool t : {false, true}) {
        const char* page = t ? "Translations" : "Locations";
        QTest::addRow("%s: exact line, second of three", page)
            << t << QStringList{u"002000EntireArea*"_s, al, u"001001Autauga*"_s} << 0 << al << rows({})
            << rows({1});
        QTest::addRow("%s: first of two", page)
            << t << QStringList{u"x*"_s, al, u"y*"_s, al} << 0 << al << rows({}) << rows({1});
        QTest::addRow("%s: no match clears a hand selection", page)
            << t << abc << 0 << al << rows({0, 2}) << rows({});
        QTest::addRow("%s: empty list", page) << t << QStringList{} << 0 << al << rows({}) << rows({});
    }
    QTest::newRow("match inside a line")
        << false << QStringList{u"a*"_s, u"ab"_s + al + u"cd"_s} << 0 << al << rows({}) << rows({1});
    QTest::newRow("other letter case")
        << false << QStringList{u"001000entireAREA*"_s} << 0 << al << rows({}) << rows({});
    QTest::newRow("at the end of a line")
        << false << QStringList{u"9"_s + al} << 0 << al << rows({}) << rows({0});
    QTest::newRow("part of it only") << false << QStringList{al.chopped(1)} << 0 << al << rows({})
                                     << rows({});
    QTest::newRow("match replaces a hand selection")
        << false << QStringList{u"a*"_s, al, u"c*"_s} << 0 << al << rows({0, 2}) << rows({1});
    QTest::newRow("Arkansas, not Arizona")
        << false << QStringList{u"004000EntireArea*"_s, u"005000EntireArea*"_s} << 3 << u"005000EntireArea*"_s
        << rows({}) << rows({1});
    QTest::newRow("last row") << true << QStringList{u"a*"_s, u"098000EntireArea*"_s} << 70
                              << u"098000EntireArea*"_s << rows({}) << rows({1});
}

void TestWizard::areaSelection() {
    QFETCH(bool, translations);
    QFETCH(QStringList, lines);
    QFETCH(int, area);
    QFETCH(QString, areaLine);
    QFETCH(QList<qsizetype>, byHand);
    QFETCH(QList<qsizetype>, selected);

    WizardHarness h;
    auto& own = translations ? h.form.lstList2 : h.form.lstList1;
    auto& other = translations ? h.form.lstList1 : h.form.lstList2;
    for (auto* list : {&own, &other}) {
        list->appendLines(lines);
        for (qsizetype row : byHand)
            list->setSelected(row, true);
    }
    if (translations)
        h.chooseTranslationArea(area);
    else
        h.chooseLocationArea(area);

    QCOMPARE(own.selectedRows(), selected);
    QCOMPARE(other.selectedRows(), byHand);
    QCOMPARE(h.platform.beeps, translations ? 1 : 0);
    const auto& v = h.wizard.variables();
    QCOMPARE(translations ? v.TranslationAreaLine : v.LocationAreaLine, areaLine);
    QVERIFY((translations ? v.LocationAreaLine : v.TranslationAreaLine).isEmpty());
}

void TestWizard::addItemInListOrder_data() {
    QTest::addColumn<bool>("translations");
    QTest::newRow("Locations") << false;
    QTest::newRow("Translations") << true;
}

// Lines go in list order, whatever order the user picked them in.
void TestWizard::addItemInListOrder() {
    QFETCH(bool, translations);

    WizardHarness h;
    h.toLocationsPage();
    QStringList lines;
    for (int i = 0; i < 12; ++i)
        lines.append(u"L%1*"_s.arg(i));
    auto& list = translations ? h.form.lstList2 : h.form.lstList1;
    list.appendLines(lines);
    for (qsizetype row : {5, 2, 9})
        list.setSelected(row, true);
    translations ? h.wizard.cmdAddItem2_Click() : h.wizard.cmdAdd1_Click();

    const QString expected = noEvents + u"L2*\r\nL5*\r\nL9*\r\n"_s;
    QCOMPARE(h.fileText(), expected);
    QCOMPARE(translations ? h.form.txtTranslations1 : h.form.txtText1, expected);
}

void TestWizard::handEdits() {
    WizardHarness h;
    h.toLocationsPage();
    h.form.lstList1.appendLines({u"001000EntireArea*"_s, u"002000EntireArea*"_s});

    // Add Item rewrites the box from the file text: typing since is lost, also with nothing selected.
    h.form.txtText1 += u"TYPED*\r\n"_s;
    h.wizard.cmdAdd1_Click();
    QCOMPARE(h.form.txtText1, noEvents);
    h.form.txtText1 += u"TYPED*\r\n"_s;
    h.chooseLocationArea(1);
    h.wizard.cmdAdd1_Click();
    QCOMPARE(h.form.txtText1, noEvents + u"002000EntireArea*\r\n"_s);

    // Continue takes the box, typing included, on to both later boxes.
    h.form.txtText1 += u"TYPED*\r\n"_s;
    h.wizard.cmdContinue3_Click();
    const QString typed = noEvents + u"002000EntireArea*\r\nTYPED*\r\n"_s;
    QCOMPARE(h.fileText(), typed);
    QCOMPARE(h.form.txtTranslations1, typed);
    QCOMPARE(h.form.txtCreate2, typed);
}

void TestWizard::clearPair() {
    WizardHarness h;
    h.toLocationsPage();
    h.form.lstList1.appendLines({u"001000EntireArea*"_s});
    h.form.lstList2.appendLines({u"001000EntireArea*"_s});

    // Locations: Clear empties the box only, so Add Item shows the whole text again.
    h.wizard.cmdClear1_Click();
    QVERIFY(h.form.txtText1.isEmpty());
    QCOMPARE(h.fileText(), noEvents);
    h.chooseLocationArea(0);
    h.wizard.cmdAdd1_Click();
    QCOMPARE(h.form.txtText1, noEvents + u"001000EntireArea*\r\n"_s);

    // Translations: Clear empties the text too, so Add Item shows only the new line.
    h.wizard.cmdClear2_Click();
    QVERIFY(h.form.txtTranslations1.isEmpty());
    QVERIFY(h.fileText().isEmpty());
    h.chooseTranslationArea(0);
    h.wizard.cmdAddItem2_Click();
    QCOMPARE(h.form.txtTranslations1, u"001000EntireArea*\r\n"_s);

    // Clear on the Locations page, then Continue: everything is dropped.
    h.wizard.cmdClear1_Click();
    h.wizard.cmdContinue3_Click();
    QVERIFY(h.fileText().isEmpty());
    QVERIFY(h.form.txtTranslations1.isEmpty());
    QVERIFY(h.form.txtCreate2.isEmpty());
}

QTEST_GUILESS_MAIN(TestWizard)
#include "tst_wizard.moc"
