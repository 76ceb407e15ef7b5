#include "support/table.h"
#include "wizardharness.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaEnum>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using quenbury::wizard::BoxColour;
using quenbury::wizard::FormModel;

namespace {

int fromEnvironment(const char* name, int fallback) {
    const int value = qEnvironmentVariableIntValue(name);
    return value > 0 ? value : fallback;
}

// The format rules over the whole text, written as patterns rather than as a scan.
bool followsFormatRules(const QString& text) {
    static const QRegularExpression longRun(u"[^*]{33}"_s);
    static const QRegularExpression bareReturn(u"(^|[^*])\r"_s);
    const bool fits = text.count(u'\r') < 2000 && text.contains(u"EOFEOF*"_s);
    const bool encodable = !text.contains(u'\u0100');
    return fits && encodable && !longRun.match(text).hasMatch() && !bareReturn.match(text).hasMatch();
}

// The pieces paths.txt writes the Current File box with, by their names there.
QHash<QString, QString> pieces() {
    const QByteArray header = readFile(QStringLiteral(QUENBURY_TRANSLATION_HEADER));
    return {{u"tor"_s, nineLines.left(55)},
            {u"none"_s, u"#MatchEvent*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s},
            {u"al"_s, u"001000EntireArea*\r\n"_s},
            {u"cc"_s, u"532003CentralClark*\r\n"_s},
            {u"hdr"_s, QString::fromLatin1(header)},
            {u"close"_s, closingLines},
            {u"typed"_s, WizardHarness::typed},
            {u"start2"_s, u"txtTranslations1"_s}};
}

QStringList captions(const WizardHarness& h) {
    return {h.form.lblLocation9, h.form.lblLocation8, h.form.lblLocations13};
}

} // namespace

class TestWizard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paths_data();
    void paths();
    void focus_data();
    void focus();
    void work_data();
    void work();
    void problems_data();
    void problems();
    void walk_data();
    void walk();
    void listKeys();
};

void TestWizard::paths_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("file"); // the Current File box at the end
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("where");
    const QList<TableRow> rows = readTable(u"paths.txt"_s, u" | "_s, 4);
    const QHash<QString, QString> piece = pieces();
    for (const TableRow& row : rows) {
        QString file;
        for (const QString& name : row.fields[2].split(u' '))
            file += piece.value(name, u"<unknown piece>"_s);
        const QStringList steps = row.fields[1].split(u' ');
        QTest::newRow(qPrintable(row.fields[0])) << steps << file << row.fields[3] << row.where;
    }
    QCOMPARE(rows.size(), 21);
}

void TestWizard::paths() {
    QFETCH(QStringList, steps);
    QFETCH(QString, file);
    QFETCH(QString, verdict);
    QFETCH(QString, where);
    QVERIFY2(!file.contains(u"<unknown piece>"_s), qPrintable(where));
    static const QHash<QString, BoxColour> colours = {
        {u"green"_s, BoxColour::Green}, {u"yellow"_s, BoxColour::Yellow}, {u"red"_s, BoxColour::Red}};
    const QString colour = verdict.section(u' ', 0, 0);
    QVERIFY2(colours.contains(colour), qPrintable(where));
    WizardHarness h;
    for (const QString& step : steps) {
        const bool known = h.act(step);
        QVERIFY2(known, qPrintable(where));
    }
    QCOMPARE(h.form.txtCreate2, file);
    QCOMPARE(h.fileText(), file);
    QCOMPARE(h.form.SSTab1, 4);
    const bool unlocked = steps.contains(u"B400"_s);
    const auto& e = h.form.enabled;
    QVERIFY(e[FormModel::cmdAddItem2] == unlocked && e[FormModel::cmdClear2] == unlocked &&
            e[FormModel::cmdContinue5] == unlocked);
    QVERIFY(h.platform.errors.isEmpty());
    // Only the receivers' errors lock Save; a yellow report names where the file departs first.
    h.wizard.cmdCreate1_Click();
    QCOMPARE(h.form.txtCreate3Colour, colours.value(colour));
    QCOMPARE(e[FormModel::cmdSave1], colour != u"red"_s);
    const QString line = verdict.section(u' ', 1);
    const QString firstFinding = h.form.txtCreate3.section(u"\r\n\r\n**"_s, 1).section(u"\r\n"_s, 1, 1);
    QCOMPARE(firstFinding, line.isEmpty() ? QString() : u"Line "_s + line);
}

void TestWizard::focus_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("list"); // the find field and the selected lines of lstList1
    QTest::addColumn<QString>("where");
    const QList<TableRow> rows = readTable(u"focus.txt"_s, u" | "_s, 4);
    for (const TableRow& row : rows) {
        const QStringList steps = row.fields[1] == u"-"_s ? QStringList() : row.fields[1].split(u' ');
        QTest::newRow(qPrintable(row.fields[0])) << steps << row.fields[2] << row.fields[3] << row.where;
    }
    QCOMPARE(rows.size(), 14);
}

void TestWizard::focus() {
    QFETCH(QStringList, steps);
    QFETCH(QString, where);
    WizardHarness h;
    for (const QString& step : steps) {
        const bool known = h.act(step);
        QVERIFY2(known, qPrintable(where));
    }
    QStringList list{h.form.txtFind1};
    for (const qsizetype row : h.form.lstList1.selectedRows())
        list.append(QString::number(row));
    const QString shown = list.join(u' ').trimmed();
    QTEST(h.form.focus, "focus");
    QTEST(shown.isEmpty() ? u"-"_s : shown, "list");
}

void TestWizard::work_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("ends");
    QTest::addColumn<QString>("shown"); // the first lines of the Current File and report boxes
    QTest::addColumn<QString>("errors");
    const QList<TableRow> rows = readTable(u"work.txt"_s, u" | "_s, 7);
    for (const TableRow& row : rows) {
        const QStringList steps = row.fields[1].split(u' ');
        const QString shown = row.fields[4] + u" | "_s + row.fields[5];
        QTest::newRow(qPrintable(row.fields[0]))
            << steps << row.fields[2].toInt() << row.fields[3].toInt() << shown << row.fields[6];
    }
    QCOMPARE(rows.size(), 10);
}

void TestWizard::work() {
    QFETCH(QStringList, steps);
    WizardHarness h;
    for (const QString& step : steps) {
        const bool known = h.act(step);
        QVERIFY(known);
    }
    const QString& report = h.form.txtCreate3;
    QString shown = h.form.txtCreate2.section(u"\r\n"_s, 0, 0) + u" | "_s;
    shown += report.section(u"\r\n"_s, 0, 0) + u' ' + report.section(u"\r\n"_s, -1);
    QTEST(int(h.platform.questions.size()), "questions");
    QTEST(h.platform.endRequests, "ends");
    QTEST(shown, "shown");
    const QString errors = h.platform.errors.join(u'|').replace(h.dir.path(), u"{dir}"_s);
    QTEST(errors.isEmpty() ? u"-"_s : errors, "errors");
}

void TestWizard::problems_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problems");
    QTest::addColumn<QString>("verdict");
    const QList<TableRow> rows = readTable(u"problems.txt"_s, u" | "_s, 4);
    for (const TableRow& row : rows)
        QTest::newRow(qPrintable(row.fields[0]))
            << unescaped(row.fields[1]) << row.fields[2] << row.fields[3];
    QCOMPARE(rows.size(), 6);
}

void TestWizard::problems() {
    QFETCH(QString, text);
    WizardHarness h;
    h.form.txtCreate2 = text;
    h.wizard.cmdCreate1_Click();
    QStringList found;
    for (const quenbury::wizard::Problem& p : h.form.problems) {
        const QString column = p.column > 0 ? u":"_s + QString::number(p.column) : QString();
        found.append(u"%1%2%3@%4-%5"_s.arg(p.line)
                         .arg(column, p.error ? u"e"_s : u"f"_s)
                         .arg(p.reportFirst)
                         .arg(p.reportLast));
    }
    QTEST(found.isEmpty() ? u"-"_s : found.join(u' '), "problems");
    QCOMPARE(h.form.currentProblem, found.isEmpty() ? -1 : 0);
    QTEST(h.form.verdict, "verdict");
    QCOMPARE(h.form.spoken, h.form.verdict); // said where the focus is
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
        u"Refused Odd Fill Fill Cancel"_s.split(u' ');
    WizardHarness h;
    const bool made = QDir(h.dir.path()).mkdir(u"folder"_s);
    QVERIFY(made);
    qputenv("HOME", h.dir.filePath(u"ol"_s).toLocal8Bit()); // the name "old.txt" starts alike
    const QStringList targets{h.writeFile(u"old.txt"_s, "old"), h.dir.filePath(u"new.txt"_s),
                              h.dir.filePath(u"folder"_s), h.dir.filePath(u"none/x.txt"_s), QString()};
    const QStringList pieces{nineLines,    closingLines,        u"A*\r\n"_s.repeated(700), u"\r\n"_s,
                             u"\u0100*"_s, u"B"_s.repeated(33), u"EOFEOF*\r\n"_s};
    static const QHash<QString, int> shows = {{u"C1"_s, 1},    {u"C2"_s, 2},    {u"C3"_s, 3},
                                              {u"B100"_s, 4},  {u"C5"_s, 4},    {u"Back1"_s, 1},
                                              {u"Back3"_s, 2}, {u"Back5"_s, 3}, {u"Events"_s, 2}};
    const QHash<QString, QByteArray> databases = {
        {u"Big"_s, QByteArray("L*\r\n").repeated(12000)},
        {u"Refused"_s, QByteArray("A\0*", 3)},
        {u"Cancel"_s, {}},
        {u"Odd"_s, "x001000entireAREA*\r\nab001000EntireArea*cd\r\n001000EntireArea*\r\n"}};
    static const QRegularExpression alabama(u".*001000EntireArea\\*.*"_s);
    std::optional<bool> lastClean; // the verdict of the last verification, none before the first
    for (int n = 1; n <= fromEnvironment("QUENBURY_RANDOMWALK_STEPS", 300); ++n) {
        const QString step = pick(steps);
        const QString text = h.fileText();
        const QString target = pick(targets);
        const QString box = h.form.txtCreate2;
        const QString where = u"seed %1 step %2 (%3)"_s.arg(seed).arg(n).arg(step);
#define CHECK(condition) QVERIFY2(condition, qPrintable(where))
        const int page = h.form.SSTab1;
        const int header = random.bounded(5);
        const QByteArray before = readFile(target);
        const qsizetype errors = h.platform.errors.size();
        const int beeps = h.platform.beeps;
        const QStringList captionsBefore = captions(h);
        const qsizetype listed = h.form.lstList1.size();
        auto& own = step.endsWith(u'2') ? h.form.lstList2 : h.form.lstList1;
        auto& other = step.endsWith(u'2') ? h.form.lstList1 : h.form.lstList2;
        const QList<qsizetype> otherSelection = other.selectedRows();
        const bool loads = databases.contains(step) || step == u"Fill"_s || step == u"Load"_s;
        if (step == u"Save"_s) {
            if (!target.isEmpty())
                h.platform.savePaths.enqueue(target);
            h.wizard.cmdSave1_Click();
            // The box's bytes as they stood, or, for a refused or cancelled save, the file as it was.
            const bool refused = target.contains(u"folder"_s) || target.contains(u"none"_s);
            const bool kept = refused || box.contains(u'\u0100') || target.isEmpty();
            const bool told = kept && !target.isEmpty();
            CHECK(h.platform.errors.size() - errors == (told ? 1 : 0));
            const QByteArray after = readFile(target);
            CHECK(after == (kept ? before : box.toLatin1()));
            CHECK(h.form.lblSaved.isEmpty() == kept);
            CHECK(kept || h.form.lblSaved.endsWith(u" bytes to "_s + target));
            CHECK(h.form.spoken == h.form.lblSaved);
            CHECK(h.form.enabled[FormModel::cmdEnd5]);
        } else if (step == u"Paste"_s) {
            h.form.txtCreate2.clear();
            for (int i = random.bounded(1, 6); i > 0; --i)
                h.form.txtCreate2 += pick(pieces);
            h.wizard.txtCreate2_Change();
        } else if (step == u"Select"_s) {
            auto& list = random.bounded(2) ? h.form.lstList1 : h.form.lstList2;
            const int size = int(list.size());
            const int first = size > 0 ? random.bounded(size) : -1;
            if (first >= 0)
                list.selectRange(first, std::min(first + random.bounded(40), size - 1));
        } else if (step == u"Page"_s) {
            h.wizard.ShowPage(header);
            CHECK(h.fileText() == text); // none of a Continue's work
        } else if (loads && step != u"Load"_s) {
            // "Fill" takes the lists to the 32,767 lines their 16-bit indexes can address, or one past.
            const qsizetype room = 32767 - h.form.lstList1.size();
            const QByteArray fill = QByteArray("F*\r\n").repeated(std::max<qsizetype>(room, 1));
            const QString path = h.writeFile(step, step == u"Fill"_s ? fill : databases[step]);
            h.load(step == u"Cancel"_s ? QString() : path);
            const bool taken = h.platform.errors.size() == errors;
            CHECK(step != u"Fill"_s || taken == (room > 0));
        } else {
            const bool known = h.act(step);
            CHECK(known);
        }
        if (step == u"Verify"_s) {
            lastClean = followsFormatRules(h.form.txtCreate2);
            CHECK(h.fileText() == h.form.txtCreate2 && h.form.enabled[FormModel::cmdEnd5]);
        }
        if (step == u"Clear3"_s)
            CHECK((h.fileText() + h.form.txtCreate3 + h.form.txtText1 + h.form.txtTranslations1).isEmpty());
        // An area choice selects the first line holding its line, letter case kept, or none; the other
        // page's list keeps its selection, and only the Translations page beeps.
        if (step.startsWith(u"Area"_s)) {
            const qsizetype first = own.lines().indexOf(alabama);
            const QList<qsizetype> expected = first < 0 ? QList<qsizetype>{} : QList<qsizetype>{first};
            CHECK(own.selectedRows() == expected);
            CHECK(h.platform.beeps == beeps + (step == u"Area2"_s ? 1 : 0));
            CHECK(other.selectedRows() == otherSelection);
        }
        // A load takes a file whole and says so; a refused or cancelled one changes nothing.
        const qsizetype added = h.form.lstList1.size() - listed;
        const bool refused = h.platform.errors.size() > errors || step == u"Cancel"_s;
        if (loads && refused) {
            CHECK(added == 0 && captions(h) == captionsBefore);
        } else if (loads) {
            const QString size = QString::number(QFileInfo(h.form.lblLocation9).size());
            CHECK(added > 0 && h.form.lblLocations13 == QString::number(added));
            CHECK(h.form.lblLocation8.endsWith(u"  "_s + size));
        }
        CHECK(!loads || (h.form.enabled[FormModel::cmdAdd1] && h.form.enabled[FormModel::cmdClear1]));
        CHECK(!loads || h.platform.openStartFolders.last() == WizardHarness::databaseFolder);
        // Each button shows its page, and every change of page ticks every event again.
        CHECK(h.form.SSTab1 == (step == u"Page"_s ? header : shows.value(step, page)));
        const auto ticked = std::count(h.form.Check.begin(), h.form.Check.end(), true);
        CHECK(h.form.SSTab1 == page || ticked == 53);
        // Save is unlocked by a clean verification of the box as it stands, and the report's colour
        // says the same; a change of the box or Clear takes the verdict back.
        const bool changed = step == u"Clear3"_s || (step != u"Verify"_s && h.form.txtCreate2 != box);
        if (changed)
            lastClean = false;
        CHECK(h.form.enabled[FormModel::cmdSave1] == lastClean.value_or(false));
        const BoxColour colour = h.form.txtCreate3Colour;
        const bool clean = lastClean.value_or(false);
        const bool judged =
            clean ? colour == BoxColour::Green || colour == BoxColour::Yellow : colour == BoxColour::Red;
        CHECK(step != u"Verify"_s || judged);
        CHECK(!changed || colour == BoxColour::White);
        CHECK(!changed || h.form.lblSaved.isEmpty());
        CHECK(!changed || (h.form.spoken.isEmpty() && h.form.verdict.isEmpty()));
        // Clear keeps the Current File box as it is.
        CHECK(step != u"Clear3"_s || h.form.txtCreate2 == box);
        // Both lists always hold the same lines, never more than 16-bit indexes can address.
        CHECK(h.form.lstList1.size() == h.form.lstList2.size() && h.form.lstList1.size() <= 32767);
        // Add Item writes the selected lines in list order, whatever order they were picked in.
        QString selected;
        for (int row = 0; step.startsWith(u"Add"_s) && row < own.size(); ++row) {
            if (own.selectionModel()->isRowSelected(row))
                selected += own.lines()[row] + u"\r\n"_s;
        }
        CHECK(h.fileText().endsWith(selected));
        CHECK((step != u"Add1"_s && step != u"C2"_s) || h.form.txtText1 == h.fileText());
        const bool bothBoxes = h.form.txtTranslations1 == h.fileText() && h.form.txtCreate2 == h.fileText();
        CHECK(step != u"C3"_s || bothBoxes);
#undef CHECK
    }
    QCOMPARE(h.form.lstList1.lines(), h.form.lstList2.lines());
}

// Keys and clicks in a list of ten lines, four to a page, as the rows of a table say.
void TestWizard::listKeys() {
    const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
    const QList<TableRow> rows = readTable(u"list-keys.txt"_s, u" | "_s, 7);
    for (const TableRow& row : rows) {
        const QStringList& f = row.fields;
        QStringList lines;
        for (const QChar c : f[1])
            lines.append((c == u'x' ? u"out%1*"_s : u"in%1*"_s).arg(lines.size()));
        quenbury::wizard::LineListModel list;
        list.appendLines(lines);
        for (const QString& step : f[2].split(u' ')) {
            const QString name = step.section(u'+', -1).section(u':', 0, 0);
            const int line = step.section(u':', 1).toInt();
            Qt::KeyboardModifiers mods;
            mods.setFlag(Qt::ShiftModifier, step.contains(u"Shift+"_s));
            mods.setFlag(Qt::ControlModifier, step.contains(u"Ctrl+"_s));
            bool known = true;
            if (name == u"find"_s)
                list.filter(u"in");
            else if (name == u"enter"_s)
                list.enterFromFind();
            else if (name == u"all"_s)
                list.selectShown();
            else if (name == u"reveal"_s)
                list.reveal(line);
            else if (name == u"current"_s) // as the view makes it when it gets the focus
                list.selectionModel()->setCurrentIndex(list.index(line), QItemSelectionModel::NoUpdate);
            else if (name == u"click"_s)
                list.click(line, mods);
            else
                known = list.pressKey(keys.keyToValue(qPrintable(u"Key_"_s + name)), mods, 4);
            QVERIFY2(known, qPrintable(row.where));
        }
        QStringList selected;
        for (const qsizetype r : list.selectedRows())
            selected.append(QString::number(r));
        QStringList got{QString::number(list.currentRow()), QString::number(list.anchorRow()),
                        selected.join(u','), list.selectionCaption()};
        got.replaceInStrings(QRegularExpression(u"^$"_s), u"-"_s);
        QCOMPARE(f[0] + u": "_s + got.join(u" | "_s), f[0] + u": "_s + f.mid(3).join(u" | "_s));
    }
    QCOMPARE(rows.size(), 21);
    // A line's tip and spoken text name its area, so that the 26 Franklins tell themselves apart.
    quenbury::wizard::LineListModel list;
    list.appendLines({u"039049Franklin*"_s, u"Franklin*"_s});
    const QVariant spoken = list.index(0).data(Qt::AccessibleTextRole);
    const QVariant tip = list.index(1).data(Qt::ToolTipRole);
    QCOMPARE(spoken.toString(), u"039049Franklin*, Ohio"_s);
    QCOMPARE(tip.toString(), u"Franklin*"_s);
}

QTEST_GUILESS_MAIN(TestWizard)
#include "tst_wizard.moc"
