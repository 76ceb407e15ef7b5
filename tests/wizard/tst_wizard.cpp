#include "wizardharness.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using quenbury::wizard::BoxColour;
using quenbury::wizard::Wizard;

namespace {

const QString noEvents = u"#MatchEvent*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s;
const QString tor = nineLines.left(55);
const QString alabama = u"001000EntireArea*\r\n"_s;

QString header() {
    return QString::fromLatin1(readFile(QStringLiteral(QUENBURY_TRANSLATION_HEADER)));
}

int fromEnvironment(const char* name, int fallback) {
    const int value = qEnvironmentVariableIntValue(name);
    return value > 0 ? value : fallback;
}

// The format rules over the whole text, written as patterns rather than as a scan.
bool followsFormatRules(const QString& text) {
    static const QRegularExpression longRun(u"[^*]{33}"_s), bareReturn(u"(^|[^*])\r"_s);
    return text.count(u'\r') < 2000 && text.contains(u"EOFEOF*"_s) && !longRun.match(text).hasMatch() &&
           !bareReturn.match(text).hasMatch();
}

} // namespace

class TestWizard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paths_data();
    void paths();
    void databaseLoad_data();
    void databaseLoad();
    void areaSelection_data();
    void areaSelection();
    void walk_data();
    void walk();
};

void TestWizard::paths_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("file"); // the Current File box at the end, by pieces
    for (const QString& line :
         QString::fromUtf8(readFile(QStringLiteral(QUENBURY_TEST_DATA "/paths.txt"))).split(u'\n')) {
        const QStringList fields = line.split(u" | "_s);
        if (fields.size() == 3 && !line.startsWith(u'#'))
            QTest::newRow(qPrintable(fields[0])) << fields[1] << fields[2];
    }
}

void TestWizard::paths() {
    QFETCH(QString, steps);
    QFETCH(QString, file);
    const QHash<QString, QString> piece = {{u"tor"_s, tor},
                                           {u"none"_s, noEvents},
                                           {u"al"_s, alabama},
                                           {u"hdr"_s, header()},
                                           {u"close"_s, closingLines},
                                           {u"typed"_s, WizardHarness::typed},
                                           {u"start2"_s, u"txtTranslations1"_s}};
    QString expected;
    for (const QString& name : file.split(u' '))
        expected += piece.value(name);

    WizardHarness h;
    h.run(steps);
    QCOMPARE(h.form.txtCreate2, expected);
    QCOMPARE(h.fileText(), expected);
    QCOMPARE(h.form.SSTab1, 4);
    const bool unlocked = steps.contains(u"B400"_s);
    const auto& e = h.form.enabled;
    QVERIFY(e.cmdAddItem2 == unlocked && e.cmdClear2 == unlocked && e.cmdContinue5 == unlocked);
    QVERIFY(h.platform.errors.isEmpty());
}

void TestWizard::databaseLoad_data() {
    QTest::addColumn<QByteArrayList>("files"); // loaded in turn; a null one cancels
    QTest::addColumn<int>("lines");            // in both lists afterwards
    QTest::addColumn<QString>("count");        // caption: the lines of the last file taken
    QTest::addColumn<QStringList>("error");    // what the one message must name
    const QByteArray a = "A*\r\n", f = QByteArray("F*\r\n").repeated(32000);
    // The lists address their lines with 16-bit indexes: a load that would pass 32,767 is refused whole.
    QTest::newRow("one file of 32,767")
        << QByteArrayList{QByteArray("F*\r\n").repeated(32767)} << 32767 << u"32767"_s << QStringList();
    QTest::newRow("one file of 32,768") << QByteArrayList{QByteArray("F*\r\n").repeated(32768)} << 0
                                        << u"Label5"_s << QStringList{u"32768"_s, u"32767"_s};
    QTest::newRow("second load one past") << QByteArrayList{f, QByteArray("S*\r\n").repeated(768)} << 32000
                                          << u"32000"_s << QStringList{u"768"_s, u"767"_s};
    // After a good load, a cancelled or refused one leaves every caption, list and value as it was.
    QTest::newRow("cancel") << QByteArrayList{a, QByteArray()} << 1 << u"1"_s << QStringList();
    QTest::newRow("NUL bytes") << QByteArrayList{a, QByteArray("B*\0", 3)} << 1 << u"1"_s
                               << QStringList{u"not a text file"_s};
}

void TestWizard::databaseLoad() {
    QFETCH(QByteArrayList, files);
    QFETCH(int, lines);
    QFETCH(QString, count);
    QFETCH(QStringList, error);

    WizardHarness h;
    QString taken = u"FileName"_s;
    QByteArray takenBytes;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files[i].isNull() ? QString() : h.writeFile(u"%1.txt"_s.arg(i), files[i]);
        const qsizetype errors = h.platform.errors.size();
        h.form.enabled.cmdAdd1 = h.form.enabled.cmdClear1 = false; // to see them unlocked again
        h.load(path);
        QVERIFY(h.form.enabled.cmdAdd1 && h.form.enabled.cmdClear1);
        if (h.platform.errors.size() == errors && !path.isEmpty())
            std::tie(taken, takenBytes) = std::pair(path, files[i]);
    }
    QCOMPARE(h.platform.errors.size(), error.isEmpty() ? 0 : 1);
    for (const QString& part : error)
        QVERIFY2(h.platform.errors[0].contains(part), qPrintable(h.platform.errors[0]));
    QCOMPARE(h.form.lstList1.size(), lines);
    QCOMPARE(h.form.lstList2.lines(), h.form.lstList1.lines());
    QCOMPARE(h.form.lblLocation9, taken);
    QCOMPARE(h.form.lblLocation8,
             takenBytes.isNull() ? u"FileSize:"_s : u"File Length in bytes:  %1"_s.arg(takenBytes.size()));
    QCOMPARE(h.form.lblLocations13, count);
    QCOMPARE(h.form.rtxtTranslations1.size(), takenBytes.isNull() ? 1 : count.toInt());
    QCOMPARE(h.wizard.variables().DatabaseText, QString::fromLatin1(takenBytes));
    // The open dialog starts where the Locations page says the database is.
    QCOMPARE(h.platform.openStartFolders.first(), WizardHarness::databaseFolder);
    QCOMPARE(h.platform.openFilters.first(), u"Text files (*.txt)|*.txt|All(*.*)|*.*"_s);
}

void TestWizard::areaSelection_data() {
    QTest::addColumn<bool>("translations"); // which page's drop-down is used
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<qsizetype>>("byHand"); // selected in both lists beforehand
    QTest::addColumn<QList<qsizetype>>("selected");
    const QString al = alabama.chopped(2);
    using Rows = QList<qsizetype>;
    for (bool t : {false, true}) {
        QTest::addRow("%d: second of three", t)
            << t << QStringList{u"002000EntireArea*"_s, al, u"x"_s} << Rows{} << Rows{1};
        QTest::addRow("%d: no match clears a hand selection", t)
            << t << QStringList{u"a*"_s, u"b*"_s, u"c*"_s} << Rows{0, 2} << Rows{};
        QTest::addRow("%d: empty list", t) << t << QStringList{} << Rows{} << Rows{};
    }
    QTest::newRow("first of two, inside a line")
        << false << QStringList{u"x*"_s, u"ab"_s + al + u"cd"_s, al} << Rows{0} << Rows{1};
    QTest::newRow("other letter case") << false << QStringList{u"001000entireAREA*"_s} << Rows{} << Rows{};
}

void TestWizard::areaSelection() {
    QFETCH(bool, translations);
    QFETCH(QStringList, lines);
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
    h.act(translations ? u"Area2"_s : u"Area1"_s); // Alabama
    QCOMPARE(own.selectedRows(), selected);
    QCOMPARE(other.selectedRows(), byHand);
    QCOMPARE(h.platform.beeps, translations ? 1 : 0);
}

void TestWizard::walk_data() {
    QTest::addColumn<quint32>("seed");
    for (int seed = 1; seed <= fromEnvironment("QUENBURY_RANDOMWALK_SEEDS", 12); ++seed)
        QTest::addRow("seed %d", seed) << quint32(seed);
}

void TestWizard::walk() {
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const auto pick = [&](const QStringList& from) { return from[random.bounded(int(from.size()))]; };
    const QStringList steps =
        u"Events Load Area1 Area2 Add1 Add2 Clear1 Clear2 Clear3 C1 C2 C3 B100 B400 C5 Back1 "
        u"Back3 Back5 None Type1 Type2 Verify Verify Save Save Paste Paste Select Page Big "
        u"Refused"_s.split(u' ');
    WizardHarness h;
    QVERIFY(QDir(h.dir.path()).mkdir(u"folder"_s));
    const QStringList targets{h.writeFile(u"old.txt"_s, "old"), h.dir.filePath(u"new.txt"_s),
                              h.dir.filePath(u"folder"_s), h.dir.filePath(u"none/x.txt"_s), QString()};
    const QStringList pieces{nineLines,    closingLines,        u"A*\r\n"_s.repeated(700), u"\r\n"_s,
                             u"\u0100*"_s, u"B"_s.repeated(33), u"EOFEOF*\r\n"_s};
    static const QHash<QString, int> shows = {{u"C1"_s, 1},    {u"C2"_s, 2},    {u"C3"_s, 3},
                                              {u"B100"_s, 4},  {u"C5"_s, 4},    {u"Back1"_s, 1},
                                              {u"Back3"_s, 2}, {u"Back5"_s, 3}, {u"Events"_s, 2}};
    std::optional<bool> lastClean; // the verdict of the last verification, none before the first
    for (int n = 1; n <= fromEnvironment("QUENBURY_RANDOMWALK_STEPS", 300); ++n) {
        const QString step = pick(steps), text = h.fileText(), target = pick(targets),
                      box = h.form.txtCreate2;
        const QString where = u"seed %1 step %2 (%3)"_s.arg(seed).arg(n).arg(step);
#define CHECK(condition) QVERIFY2(condition, qPrintable(where))
        const int page = h.form.SSTab1, header = random.bounded(5);
        const QByteArray before = readFile(target);
        const qsizetype errors = h.platform.errors.size();
        if (step == u"Save"_s) {
            if (!target.isEmpty())
                h.platform.savePaths.enqueue(target);
            h.wizard.cmdSave1_Click();
            // The box's bytes as they stood, or, for a refused or cancelled save, the file as it was.
            const bool refused =
                target.contains(u"folder"_s) || target.contains(u"none"_s) || box.contains(u'\u0100');
            CHECK(h.platform.errors.size() - errors == (refused && !target.isEmpty() ? 1 : 0));
            CHECK(readFile(target) == (refused || target.isEmpty() ? before : box.toLatin1()));
            CHECK(h.form.enabled.cmdEnd5);
        } else if (step == u"Paste"_s) {
            h.form.txtCreate2.clear();
            for (int i = random.bounded(1, 6); i > 0; --i)
                h.form.txtCreate2 += pick(pieces);
        } else if (step == u"Select"_s) {
            auto& list = random.bounded(2) ? h.form.lstList1 : h.form.lstList2;
            if (const int first = list.size() > 0 ? random.bounded(int(list.size())) : -1; first >= 0)
                list.selectRange(first, std::min(first + random.bounded(40), int(list.size()) - 1));
        } else if (step == u"Page"_s) {
            h.wizard.ShowPage(header);
            CHECK(h.fileText() == text); // none of a Continue's work
        } else if (step == u"Big"_s || step == u"Refused"_s) {
            h.load(h.writeFile(step, step == u"Big"_s ? QByteArray("L*\r\n").repeated(12000) : "A\0*"));
        } else {
            h.act(step);
        }
        if (step == u"Verify"_s) {
            lastClean = followsFormatRules(h.form.txtCreate2);
            CHECK(h.fileText() == h.form.txtCreate2 && h.form.enabled.cmdEnd5);
        }
        if (step == u"Clear3"_s)
            CHECK((h.fileText() + h.form.txtCreate3 + h.form.txtText1 + h.form.txtTranslations1).isEmpty());
        // Each button shows its page, and every change of page ticks every event again.
        CHECK(h.form.SSTab1 == (step == u"Page"_s ? header : shows.value(step, page)));
        if (h.form.SSTab1 != page)
            CHECK(std::count(h.form.Check.begin(), h.form.Check.end(), true) == 53);
        // Save is unlocked by a clean verification alone, and the report's colour says the same.
        CHECK(h.form.enabled.cmdSave1 == lastClean.value_or(false));
        using quenbury::wizard::BoxColour;
        const BoxColour verdict = !lastClean || step == u"Clear3"_s ? h.form.txtCreate3Colour
                                  : *lastClean                      ? BoxColour::Green
                                                                    : BoxColour::Red;
        CHECK(h.form.txtCreate3Colour == verdict || h.form.txtCreate3Colour == BoxColour::White);
        // Both lists always hold the same lines, never more than 16-bit indexes can address.
        CHECK(h.form.lstList1.size() == h.form.lstList2.size() && h.form.lstList1.size() <= 32767);
        if (step.startsWith(u"Add"_s)) { // the selected lines, in list order whatever order they were picked
            auto& list = step == u"Add1"_s ? h.form.lstList1 : h.form.lstList2;
            QString added;
            for (int row = 0; row < list.size(); ++row)
                added +=
                    list.selectionModel()->isRowSelected(row) ? list.lines()[row] + u"\r\n"_s : QString();
            CHECK(h.fileText().endsWith(added));
        }
        if (step == u"Add1"_s || step == u"C2"_s)
            CHECK(h.form.txtText1 == h.fileText());
        if (step == u"C3"_s)
            CHECK(h.form.txtTranslations1 == h.fileText() && h.form.txtCreate2 == h.fileText());
#undef CHECK
    }
    QCOMPARE(h.form.lstList1.lines(), h.form.lstList2.lines());
}

QTEST_GUILESS_MAIN(TestWizard)
#include "tst_wizard.moc"
