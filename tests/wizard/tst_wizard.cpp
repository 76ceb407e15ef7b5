#include "wizardharness.h"

#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using quenbury::wizard::Wizard;

namespace {

const QString noEvents = u"#MatchEvent*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s;
const QString torOnly = u"#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s;

QList<qsizetype> rows(std::initializer_list<qsizetype> list) {
    return QList<qsizetype>(list);
}

} // namespace

class TestWizard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formLoad();
    void navigation_data();
    void navigation();
    void pageHeaderSkipsTheWork();
    void eventsContinueRebuilds();
    void databaseLoad_data();
    void databaseLoad();
    void listLimit_data();
    void listLimit();
    void secondLoadAppends();
    void refusedLoad_data();
    void refusedLoad();
    void areaSelection_data();
    void areaSelection();
    void addItemInListOrder_data();
    void addItemInListOrder();
    void handEdits();
    void clearPair();
};

void TestWizard::formLoad() {
    WizardHarness h;
    const auto& e = h.form.enabled;
    QCOMPARE(h.form.SSTab1, 0);
    for (bool enabled :
         {e.cmdAdd1, e.cmdClear1, e.cmdEnd5, e.cmdAddItem2, e.cmdClear2, e.cmdContinue5, e.cmdSave1})
        QVERIFY(!enabled);
    QCOMPARE(h.form.lblLocation10, u"Default database is at: /opt/quenbury/share/quenbury"_s);
    QCOMPARE(h.form.txtText1, u"Text1"_s);
    QCOMPARE(h.form.txtTranslations1, u"txtTranslations1"_s);
    QCOMPARE(h.form.txtCreate2, u"Text1"_s);
    QCOMPARE(h.form.txtCreate3, u"txtCreate3"_s);
    QVERIFY(h.fileText().isEmpty());
    QVERIFY(std::none_of(h.form.Check.begin(), h.form.Check.end(), [](bool t) { return t; }));

    // The open dialog starts where the label says; a cancel still unlocks Add Item and Clear.
    h.load(QString());
    QCOMPARE(h.platform.openStartFolders, QStringList{WizardHarness::databaseFolder});
    QCOMPARE(h.platform.openFilters, QStringList{u"Text files (*.txt)|*.txt|All(*.*)|*.*"_s});
    QVERIFY(h.form.enabled.cmdAdd1 && h.form.enabled.cmdClear1);
    QCOMPARE(h.form.lblLocation9, u"FileName"_s);
    QCOMPARE(h.form.lblLocation8, u"FileSize:"_s);
    QCOMPARE(h.form.lblLocations13, u"Label5"_s);
    QVERIFY(h.platform.errors.isEmpty());
}

void TestWizard::navigation_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("ticksAll");
    QTest::addColumn<bool>("ends");

    QTest::newRow("Start Continue") << 0 << u"cmdContinue1"_s << 1 << true << false;
    QTest::newRow("Start End") << 0 << u"cmdEnd1"_s << 0 << false << true;
    QTest::newRow("Events Continue") << 1 << u"cmdContinue2"_s << 2 << true << false;
    QTest::newRow("Events Back") << 1 << u"cmdBack0"_s << 0 << true << false;
    QTest::newRow("Events Select All") << 1 << u"cmdSelectAll1"_s << 1 << true << false;
    QTest::newRow("Events Clear All") << 1 << u"cmdClearAll1"_s << 1 << false << false;
    QTest::newRow("Events End") << 1 << u"cmdEnd2"_s << 1 << false << true;
    QTest::newRow("Locations Continue") << 2 << u"cmdContinue3"_s << 3 << true << false;
    QTest::newRow("Locations Back") << 2 << u"cmdBack1"_s << 1 << true << false;
    QTest::newRow("Locations End") << 2 << u"cmdEnd3"_s << 2 << false << true;
    QTest::newRow("Brisvane 100") << 3 << u"cmdContinue4"_s << 4 << true << false;
    QTest::newRow("Translations Continue") << 3 << u"cmdContinue5"_s << 4 << true << false;
    QTest::newRow("Brisvane 400 stays") << 3 << u"cmdBrisvane400"_s << 3 << false << false;
    QTest::newRow("Translations Back") << 3 << u"cmdBack3"_s << 2 << true << false;
    QTest::newRow("Translations End") << 3 << u"cmdEnd4"_s << 3 << false << true;
    QTest::newRow("Create File Back") << 4 << u"cmdBack5"_s << 3 << true << false;
    QTest::newRow("Create File Verify stays") << 4 << u"cmdCreate1"_s << 4 << false << false;
    QTest::newRow("Create File End") << 4 << u"cmdEnd5"_s << 4 << false << true;
    QTest::newRow("menu End") << 2 << u"End"_s << 2 << false << true;
    QTest::newRow("header from Start to Locations") << 0 << u"header 2"_s << 2 << true << false;
    QTest::newRow("header of the shown page") << 1 << u"header 1"_s << 1 << false << false;
    QTest::newRow("tab double click") << 3 << u"SSTab1_DblClick"_s << 3 << true << false;
}

void TestWizard::navigation() {
    QFETCH(int, from);
    QFETCH(QString, action);
    QFETCH(int, to);
    QFETCH(bool, ticksAll);
    QFETCH(bool, ends);

    const QHash<QString, std::function<void(Wizard&)>> actions = {
        {u"cmdContinue1"_s, &Wizard::cmdContinue1_Click},
        {u"cmdContinue2"_s, &Wizard::cmdContinue2_Click},
        {u"cmdContinue3"_s, &Wizard::cmdContinue3_Click},
        {u"cmdContinue4"_s, &Wizard::cmdContinue4_Click},
        {u"cmdContinue5"_s, &Wizard::cmdContinue5_Click},
        {u"cmdBrisvane400"_s, &Wizard::cmdBrisvane400_Click},
        {u"cmdCreate1"_s, &Wizard::cmdCreate1_Click},
        {u"cmdBack0"_s, &Wizard::cmdBack0_Click},
        {u"cmdBack1"_s, &Wizard::cmdBack1_Click},
        {u"cmdBack3"_s, &Wizard::cmdBack3_Click},
        {u"cmdBack5"_s, &Wizard::cmdBack5_Click},
        {u"cmdSelectAll1"_s, [](Wizard& w) { w.cmdSelectAll1_Click(0); }},
        {u"cmdClearAll1"_s, &Wizard::cmdClearAll1_Click},
        {u"cmdEnd1"_s, &Wizard::cmdEnd1_Click},
        {u"cmdEnd2"_s, &Wizard::cmdEnd2_Click},
        {u"cmdEnd3"_s, &Wizard::cmdEnd3_Click},
        {u"cmdEnd4"_s, &Wizard::cmdEnd4_Click},
        {u"cmdEnd5"_s, &Wizard::cmdEnd5_Click},
        {u"End"_s, &Wizard::End_Click},
        {u"header 1"_s, [](Wizard& w) { w.ShowPage(1); }},
        {u"header 2"_s, [](Wizard& w) { w.ShowPage(2); }},
        {u"SSTab1_DblClick"_s, &Wizard::SSTab1_DblClick},
    };
    QVERIFY(actions.contains(action));

    WizardHarness h;
    h.form.SSTab1 = from;
    h.form.Check.fill(false);
    actions[action](h.wizard);
    QCOMPARE(h.form.SSTab1, to);
    QCOMPARE(h.allTicked(), ticksAll);
    QCOMPARE(h.platform.endRequests, ends ? 1 : 0);
}

void TestWizard::pageHeaderSkipsTheWork() {
    WizardHarness h;
    h.wizard.ShowPage(2);
    QCOMPARE(h.form.txtText1, u"Text1"_s);
    QVERIFY(h.fileText().isEmpty());
    h.wizard.cmdContinue3_Click();
    QCOMPARE(h.fileText(), u"Text1"_s);
    QCOMPARE(h.form.txtTranslations1, u"Text1"_s);
    QCOMPARE(h.form.txtCreate2, u"Text1"_s);
}

void TestWizard::eventsContinueRebuilds() {
    WizardHarness h;
    h.wizard.cmdContinue1_Click();
    h.form.Check.fill(false);
    h.form.Check[44] = true; // TOR
    h.wizard.cmdContinue2_Click();
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
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("lengthCaption");
    QTest::addColumn<QString>("countCaption");

    QTest::newRow("two CR LF lines") << QByteArray("A*\r\nB*\r\n") << QStringList{u"A*"_s, u"B*"_s}
                                     << u"File Length in bytes:  8"_s << u"2"_s;
    QTest::newRow("last line without line end")
        << QByteArray("A*\r\nB*") << QStringList{u"A*"_s, u"B*"_s} << u"File Length in bytes:  6"_s << u"2"_s;
    QTest::newRow("blank line") << QByteArray("A*\r\n\r\nB*\r\n") << QStringList{u"A*"_s, QString(), u"B*"_s}
                                << u"File Length in bytes:  10"_s << u"3"_s;
    QTest::newRow("lone LF and lone CR")
        << QByteArray("A*\nB*\rC*\r\n") << QStringList{u"A*"_s, u"B*"_s, u"C*"_s}
        << u"File Length in bytes:  10"_s << u"3"_s;
    QTest::newRow("empty file") << QByteArray() << QStringList{} << u"File Length in bytes:  0"_s << u"0"_s;
}

void TestWizard::databaseLoad() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(QString, lengthCaption);
    QFETCH(QString, countCaption);

    WizardHarness h;
    const QString path = h.writeFile(u"db.txt"_s, bytes);
    h.load(path);
    QVERIFY(h.platform.errors.isEmpty());
    QCOMPARE(h.form.lblLocation9, path);
    QCOMPARE(h.form.lblLocation8, lengthCaption);
    QCOMPARE(h.form.lblLocations13, countCaption);
    QCOMPARE(h.form.lstList1.lines(), lines);
    QCOMPARE(h.form.lstList2.lines(), lines);
    QCOMPARE(h.form.rtxtTranslations1, lines);
    QVERIFY(h.form.enabled.cmdAdd1 && h.form.enabled.cmdClear1);
}

void TestWizard::listLimit_data() {
    QTest::addColumn<int>("firstLines"); // 0: no earlier load
    QTest::addColumn<int>("secondLines");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("one file of 32,767") << 0 << 32767 << true;
    QTest::newRow("one file of 32,768") << 0 << 32768 << false;
    QTest::newRow("second load reaching 32,767") << 32000 << 767 << true;
    QTest::newRow("second load one past") << 32000 << 768 << false;
}

// The lists address their lines with 16-bit indexes: a load that would pass 32,767 is refused whole.
void TestWizard::listLimit() {
    QFETCH(int, firstLines);
    QFETCH(int, secondLines);
    QFETCH(bool, accepted);

    WizardHarness h;
    const QString first = h.writeFile(u"first.txt"_s, QByteArray("F*\r\n").repeated(firstLines));
    const QString second = h.writeFile(u"second.txt"_s, QByteArray("S*\r\n").repeated(secondLines));
    if (firstLines > 0)
        h.load(first);
    const quenbury::wizard::FormModel& f = h.form;
    const QStringList before = {f.lblLocation9,
                                f.lblLocation8,
                                f.lblLocations13,
                                f.rtxtTranslations1.join(u'\n'),
                                h.wizard.variables().DatabaseText,
                                h.wizard.variables().DatabaseLength};
    h.load(second);

    QVERIFY(f.enabled.cmdAdd1 && f.enabled.cmdClear1);
    if (accepted) {
        QVERIFY(h.platform.errors.isEmpty());
        QCOMPARE(f.lstList1.size(), 32767);
        QCOMPARE(f.lstList2.size(), 32767);
        QCOMPARE(f.lblLocations13, QString::number(secondLines));
        return;
    }
    QCOMPARE(h.platform.errors.size(), 1);
    const QString& message = h.platform.errors.first();
    for (const QString& part : {second, QString::number(secondLines), QString::number(32767 - firstLines)})
        QVERIFY2(message.contains(part), qPrintable(message));
    QCOMPARE(f.lstList1.size(), firstLines);
    QCOMPARE(f.lstList2.size(), firstLines);
    const QStringList after = {f.lblLocation9,
                               f.lblLocation8,
                               f.lblLocations13,
                               f.rtxtTranslations1.join(u'\n'),
                               h.wizard.variables().DatabaseText,
                               h.wizard.variables().DatabaseLength};
    QCOMPARE(after, before);
}

void TestWizard::secondLoadAppends() {
    WizardHarness h;
    const QString a = h.writeFile(u"a.txt"_s, "A1*\r\nA2*\r\n");
    const QString b = h.writeFile(u"b.txt"_s, "B1*\r\nB2*\r\nB3*\r\n");
    h.load(a);
    h.load(b);
    const QStringList both = {u"A1*"_s, u"A2*"_s, u"B1*"_s, u"B2*"_s, u"B3*"_s};
    QCOMPARE(h.form.lstList1.lines(), both);
    QCOMPARE(h.form.lstList2.lines(), both);
    QCOMPARE(h.form.lblLocations13, u"3"_s);
    QCOMPARE(h.form.lblLocation9, b);

    h.load(b);
    QCOMPARE(h.form.lstList1.lines(), both + both.mid(2));
    QCOMPARE(h.form.lblLocations13, u"3"_s);
}

void TestWizard::refusedLoad_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("cancel") << u"cancel"_s;
    QTest::newRow("NUL bytes") << u"nul"_s;
    QTest::newRow("missing file") << u"missing"_s;
    QTest::newRow("a folder") << u"folder"_s;
}

// After a good load, a cancelled or refused one leaves every caption, list and value as it was.
void TestWizard::refusedLoad() {
    QFETCH(QString, kind);

    WizardHarness h;
    const QString good = h.writeFile(u"good.txt"_s, "A*\r\n");
    h.load(good);
    h.form.enabled.cmdAdd1 = h.form.enabled.cmdClear1 = false; // to see them unlocked again

    QString path;
    if (kind == u"nul"_s)
        path = h.writeFile(u"nul.txt"_s, QByteArray("B*\r\n\0\r\n", 7));
    else if (kind == u"missing"_s)
        path = h.dir.filePath(u"missing.txt"_s);
    else if (kind == u"folder"_s)
        path = h.dir.path();
    h.load(path);

    QCOMPARE(h.platform.errors.size(), path.isEmpty() ? 0 : 1);
    if (!path.isEmpty())
        QVERIFY2(h.platform.errors.first().contains(path), qPrintable(h.platform.errors.first()));
    QCOMPARE(h.form.lstList1.lines(), QStringList{u"A*"_s});
    QCOMPARE(h.form.lstList2.lines(), QStringList{u"A*"_s});
    QCOMPARE(h.form.lblLocation9, good);
    QCOMPARE(h.form.lblLocation8, u"File Length in bytes:  4"_s);
    QCOMPARE(h.form.lblLocations13, u"1"_s);
    QCOMPARE(h.wizard.variables().DatabaseText, u"A*\r\n"_s);
    QVERIFY(h.form.enabled.cmdAdd1 && h.form.enabled.cmdClear1);
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
    h.wizard.cmdContinue1_Click();
    h.form.Check.fill(false);
    h.wizard.cmdContinue2_Click();
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
    h.wizard.cmdContinue1_Click();
    h.form.Check.fill(false);
    h.wizard.cmdContinue2_Click();
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
    h.wizard.cmdContinue1_Click();
    h.form.Check.fill(false);
    h.wizard.cmdContinue2_Click();
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
