#include "wizardharness.h"

#include <QDir>
#include <QHash>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using quenbury::wizard::BoxColour;

namespace {

const QString base = nineLines.left(74); // the lines before the closing ones
const QString& closing = closingLines;
const QString alabama = u"001000EntireArea*\r\n"_s;
const QString typed = u"TYPED*\r\n"_s;

QString header() {
    return QString::fromLatin1(readFile(QStringLiteral(QUENBURY_TRANSLATION_HEADER)));
}

// The usual way to the Translations page: only TOR ticked, Alabama added from the database.
void toTranslationsPage(WizardHarness& h) {
    h.toLocationsPage({44});
    h.load(h.writeFile(u"db.txt"_s, "002000EntireArea*\r\n001000EntireArea*\r\n001001Autauga*\r\n"));
    h.chooseLocationArea(0);
    h.wizard.cmdAdd1_Click();
    h.wizard.cmdContinue3_Click();
}

void run(WizardHarness& h, const QStringList& steps) {
    auto& w = h.wizard;
    const QHash<QString, std::function<void()>> actions = {
        {u"B100"_s, [&] { w.cmdContinue4_Click(); }},
        {u"B400"_s, [&] { w.cmdBrisvane400_Click(); }},
        {u"C5"_s, [&] { w.cmdContinue5_Click(); }},
        {u"Back"_s, [&] { w.cmdBack5_Click(); }},
        {u"Add"_s, [&] { h.chooseTranslationArea(0), w.cmdAddItem2_Click(); }},
        {u"Type"_s, [&] { h.form.txtTranslations1 += typed; }},
        {u"Clear2"_s, [&] { w.cmdClear2_Click(); }},
        {u"Clear3"_s, [&] { w.cmdClear3_Click(); }},
        // The user deletes the last line end on the Locations page.
        {u"Chop"_s, [&] { w.cmdBack3_Click(), h.form.txtText1.chop(2), w.cmdContinue3_Click(); }},
    };
    for (const QString& step : steps) {
        QVERIFY2(actions.contains(step), qPrintable(step));
        actions[step]();
    }
}

} // namespace

class TestWizardFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void receiverPaths_data();
    void receiverPaths();
    void startTextBecomesFirstLine();
    void wholeExample_data();
    void wholeExample();
    void verifySaveAndClear();
    void failedSave_data();
    void failedSave();
};

void TestWizardFile::receiverPaths_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("pieces");
    const auto row = [](const char* name, const QString& steps, const QString& pieces) {
        QTest::newRow(name) << steps.split(u' ') << pieces.split(u' ');
    };
    row("Brisvane 100", u"B100"_s, u"base close"_s);
    row("Brisvane 400, Add Item, Continue", u"B400 Add C5"_s, u"base hdr loc close"_s);
    row("Brisvane 400 then Continue at once loses the header", u"B400 C5"_s, u"base close"_s);
    row("Brisvane 400 twice", u"B400 B400 Add C5"_s, u"base hdr hdr loc close"_s);
    row("Brisvane 400 then Brisvane 100", u"B400 B100"_s, u"base hdr close"_s);
    row("Brisvane 400, Add Item, Brisvane 100", u"B400 Add B100"_s, u"base hdr loc close"_s);
    row("Brisvane 100 twice via Back", u"B100 Back B100"_s, u"base close close"_s);
    row("Continue twice via Back, not doubled", u"B400 C5 Back C5"_s, u"base close"_s);
    row("Continue, Back, Add Item, Continue", u"B400 C5 Back Add C5"_s, u"base close loc close"_s);
    row("typed text reaches the Brisvane 400 file", u"B400 Type C5"_s, u"base typed close"_s);
    row("typed text ignored by Brisvane 100", u"Type B100"_s, u"base close"_s);
    row("header on an empty text", u"Clear2 B400 Add C5"_s, u"hdr loc close"_s);
    row("header joined to a last line without line end", u"Chop B400 Add C5"_s, u"base- hdr loc close"_s);
    row("Clear on Create File, Back, Brisvane 100", u"B100 Clear3 Back B100"_s, u"close"_s);
    row("Clear on Create File, Back, Continue", u"B400 C5 Clear3 Back C5"_s, u"close"_s);
}

void TestWizardFile::receiverPaths() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, pieces);

    const QHash<QString, QString> piece = {{u"base"_s, base},     {u"base-"_s, base.chopped(2)},
                                           {u"hdr"_s, header()},  {u"loc"_s, alabama},
                                           {u"close"_s, closing}, {u"typed"_s, typed}};
    QString expected;
    for (const QString& name : pieces)
        expected += piece.value(name);
    QCOMPARE(header().size(), 1918);

    WizardHarness h;
    toTranslationsPage(h);
    QCOMPARE(h.fileText(), base);
    run(h, steps);
    QCOMPARE(h.form.txtCreate2, expected);
    QCOMPARE(h.fileText(), expected);
    QCOMPARE(h.form.SSTab1, 4);
    const bool unlocked = steps.contains(u"B400"_s);
    const auto& e = h.form.enabled;
    QVERIFY(e.cmdAddItem2 == unlocked && e.cmdClear2 == unlocked && e.cmdContinue5 == unlocked);
}

void TestWizardFile::startTextBecomesFirstLine() {
    WizardHarness h;
    h.wizard.ShowPage(3);
    h.wizard.cmdBrisvane400_Click();
    QCOMPARE(h.form.txtTranslations1, u"txtTranslations1"_s); // the header shows only after Add Item
    QCOMPARE(h.fileText(), header());
    h.wizard.cmdContinue5_Click();
    QCOMPARE(h.form.txtCreate2, u"txtTranslations1"_s + closing);
}

void TestWizardFile::wholeExample_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("report");

    QTest::newRow("Brisvane 100")
        << QStringList{u"B100"_s} << nineLineBytes
        << u"Number of Characters: 101\r\nNumber of Lines:9\r\n\r\nNumber of Errors: 0"_s;
    QTest::newRow("Brisvane 400")
        << QStringList{u"B400"_s, u"Add"_s, u"C5"_s} << (base + header() + alabama + closing).toLatin1()
        << u"Number of Characters: 2038\r\nNumber of Lines:135\r\n\r\nNumber of Errors: 0"_s;
}

void TestWizardFile::wholeExample() {
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, report);

    WizardHarness h;
    toTranslationsPage(h);
    run(h, steps);
    h.wizard.cmdCreate1_Click();
    QCOMPARE(h.form.txtCreate3, report);
    QCOMPARE(h.form.txtCreate3Colour, BoxColour::Green);
    QVERIFY(h.form.enabled.cmdSave1);

    const QString path = h.dir.filePath(u"match.txt"_s);
    h.platform.savePaths.enqueue(path);
    h.wizard.cmdSave1_Click();
    QVERIFY(h.platform.errors.isEmpty());
    QCOMPARE(h.platform.saveFilters, QStringList{u"Text (*.txt)|*.txt| All(*.*)|*.*"_s});
    QCOMPARE(readFile(path), bytes);
}

void TestWizardFile::verifySaveAndClear() {
    WizardHarness h;
    h.wizard.ShowPage(4);

    // The start text fails: red, Save stays locked, End unlocks.
    h.wizard.cmdCreate1_Click();
    QCOMPARE(h.fileText(), u"Text1"_s);
    QCOMPARE(h.form.txtCreate3Colour, BoxColour::Red);
    QVERIFY(!h.form.enabled.cmdSave1);
    QVERIFY(h.form.enabled.cmdEnd5);

    // A clean verification unlocks Save; later edits are saved as typed, unverified.
    h.form.txtCreate2 = base + closing;
    h.wizard.cmdCreate1_Click();
    QCOMPARE(h.fileText(), base + closing);
    QVERIFY(h.form.enabled.cmdSave1);
    h.form.txtCreate2 = u"edited, no rules kept"_s;
    const QString path = h.dir.filePath(u"edited.txt"_s);
    h.platform.savePaths.enqueue(path);
    h.wizard.cmdSave1_Click();
    QCOMPARE(readFile(path), QByteArray("edited, no rules kept"));
    QVERIFY(h.form.enabled.cmdSave1);

    // A cancelled dialog writes nothing and still unlocks End.
    h.form.enabled.cmdEnd5 = false;
    h.wizard.cmdSave1_Click();
    QVERIFY(h.form.enabled.cmdEnd5);
    QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files), QStringList{u"edited.txt"_s});

    // Clear empties the text and the other boxes, but keeps the Current File box and Save.
    h.form.txtText1 = u"x"_s;
    h.form.txtTranslations1 = u"y"_s;
    h.wizard.cmdClear3_Click();
    QVERIFY(h.fileText().isEmpty());
    QVERIFY(h.form.txtCreate3.isEmpty());
    QCOMPARE(h.form.txtCreate3Colour, BoxColour::White);
    QVERIFY(h.form.txtText1.isEmpty() && h.form.txtTranslations1.isEmpty());
    QCOMPARE(h.form.txtCreate2, u"edited, no rules kept"_s);
    QVERIFY(h.form.enabled.cmdSave1);
    QVERIFY(h.platform.errors.isEmpty());
}

void TestWizardFile::failedSave_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::newRow("path is a folder") << u"folder"_s << base + closing << u"folder"_s;
    QTest::newRow("missing folder") << u"none/match.txt"_s << base + closing << u"none/match.txt"_s;
    QTest::newRow("character without a byte")
        << u"old.txt"_s << base + u"\u0100*\r\n"_s + closing << u"line 7, column 1"_s;
}

// A save that fails tells why and changes nothing but the End button; an old file stays as it was.
void TestWizardFile::failedSave() {
    QFETCH(QString, target);
    QFETCH(QString, box);
    QFETCH(QString, named);

    WizardHarness h;
    QVERIFY(QDir(h.dir.path()).mkdir(u"folder"_s));
    h.writeFile(u"old.txt"_s, "old");
    h.wizard.ShowPage(4);
    h.form.txtCreate2 = base + closing;
    h.wizard.cmdCreate1_Click();
    h.form.txtCreate2 = box;
    h.form.enabled.cmdEnd5 = false;
    const QString report = h.form.txtCreate3;

    h.platform.savePaths.enqueue(h.dir.filePath(target));
    h.wizard.cmdSave1_Click();
    QCOMPARE(h.platform.errors.size(), 1);
    QVERIFY2(h.platform.errors.first().contains(named), qPrintable(h.platform.errors.first()));
    QCOMPARE(readFile(h.dir.filePath(u"old.txt"_s)), QByteArray("old"));
    QCOMPARE(h.fileText(), base + closing);
    QCOMPARE(h.form.txtCreate2, box);
    QCOMPARE(h.form.txtCreate3, report);
    QCOMPARE(h.form.txtCreate3Colour, BoxColour::Green);
    QVERIFY(h.form.enabled.cmdSave1);
    QVERIFY(h.form.enabled.cmdEnd5);
}

QTEST_GUILESS_MAIN(TestWizardFile)
#include "tst_wizardfile.moc"
