#include "wizardharness.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;
using quenbury::wizard::BoxColour;

namespace {

const QString base =
    u"#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n001000EntireArea*\r\n"_s;
const QString closing = u"YYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n"_s;
const QString alabama = u"001000EntireArea*\r\n"_s;
const QString typed = u"TYPED*\r\n"_s;

QString header() {
    QFile file(QStringLiteral(QUENBURY_TRANSLATION_HEADER));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The usual way to the Translations page: only TOR ticked, Alabama added from the database.
void toTranslationsPage(WizardHarness& h) {
    h.wizard.cmdContinue1_Click();
    h.form.Check.fill(false);
    h.form.Check[44] = true;
    h.wizard.cmdContinue2_Click();
    h.load(h.writeFile(u"db.txt"_s, "002000EntireArea*\r\n001000EntireArea*\r\n001001Autauga*\r\n"));
    h.chooseLocationArea(0);
    h.wizard.cmdAdd1_Click();
    h.wizard.cmdContinue3_Click();
}

void run(WizardHarness& h, const QStringList& steps) {
    for (const QString& step : steps) {
        if (step == u"B100"_s)
            h.wizard.cmdContinue4_Click();
        else if (step == u"B400"_s)
            h.wizard.cmdBrisvane400_Click();
        else if (step == u"C5"_s)
            h.wizard.cmdContinue5_Click();
        else if (step == u"Back"_s)
            h.wizard.cmdBack5_Click();
        else if (step == u"Add"_s) {
            h.chooseTranslationArea(0);
            h.wizard.cmdAddItem2_Click();
        } else if (step == u"Type"_s)
            h.form.txtTranslations1 += typed;
        else if (step == u"Clear2"_s)
            h.wizard.cmdClear2_Click();
        else if (step == u"Clear3"_s)
            h.wizard.cmdClear3_Click();
        else if (step == u"Chop"_s) { // the user deletes the last line end on the Locations page
            h.wizard.cmdBack3_Click();
            h.form.txtText1.chop(2);
            h.wizard.cmdContinue3_Click();
        } else
            QFAIL(qPrintable(u"unknown step "_s + step));
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

    QTest::newRow("Brisvane 100") << QStringList{u"B100"_s} << QStringList{u"base"_s, u"close"_s};
    QTest::newRow("Brisvane 400, Add Item, Continue")
        << QStringList{u"B400"_s, u"Add"_s, u"C5"_s}
        << QStringList{u"base"_s, u"hdr"_s, u"loc"_s, u"close"_s};
    QTest::newRow("Brisvane 400 then Continue at once loses the header")
        << QStringList{u"B400"_s, u"C5"_s} << QStringList{u"base"_s, u"close"_s};
    QTest::newRow("Brisvane 400 twice") << QStringList{u"B400"_s, u"B400"_s, u"Add"_s, u"C5"_s}
                                        << QStringList{u"base"_s, u"hdr"_s, u"hdr"_s, u"loc"_s, u"close"_s};
    QTest::newRow("Brisvane 400 then Brisvane 100")
        << QStringList{u"B400"_s, u"B100"_s} << QStringList{u"base"_s, u"hdr"_s, u"close"_s};
    QTest::newRow("Brisvane 400, Add Item, Brisvane 100")
        << QStringList{u"B400"_s, u"Add"_s, u"B100"_s}
        << QStringList{u"base"_s, u"hdr"_s, u"loc"_s, u"close"_s};
    QTest::newRow("Brisvane 100 twice via Back")
        << QStringList{u"B100"_s, u"Back"_s, u"B100"_s} << QStringList{u"base"_s, u"close"_s, u"close"_s};
    QTest::newRow("Continue twice via Back, not doubled")
        << QStringList{u"B400"_s, u"C5"_s, u"Back"_s, u"C5"_s} << QStringList{u"base"_s, u"close"_s};
    QTest::newRow("Continue, Back, Add Item, Continue")
        << QStringList{u"B400"_s, u"C5"_s, u"Back"_s, u"Add"_s, u"C5"_s}
        << QStringList{u"base"_s, u"close"_s, u"loc"_s, u"close"_s};
    QTest::newRow("typed text reaches the Brisvane 400 file")
        << QStringList{u"B400"_s, u"Type"_s, u"C5"_s} << QStringList{u"base"_s, u"typed"_s, u"close"_s};
    QTest::newRow("typed text ignored by Brisvane 100")
        << QStringList{u"Type"_s, u"B100"_s} << QStringList{u"base"_s, u"close"_s};
    QTest::newRow("header on an empty text") << QStringList{u"Clear2"_s, u"B400"_s, u"Add"_s, u"C5"_s}
                                             << QStringList{u"hdr"_s, u"loc"_s, u"close"_s};
    QTest::newRow("header joined to a last line without line end")
        << QStringList{u"Chop"_s, u"B400"_s, u"Add"_s, u"C5"_s}
        << QStringList{u"base-"_s, u"hdr"_s, u"loc"_s, u"close"_s};
    QTest::newRow("Clear on Create File, Back, Brisvane 100")
        << QStringList{u"B100"_s, u"Clear3"_s, u"Back"_s, u"B100"_s} << QStringList{u"close"_s};
    QTest::newRow("Clear on Create File, Back, Continue")
        << QStringList{u"B400"_s, u"C5"_s, u"Clear3"_s, u"Back"_s, u"C5"_s} << QStringList{u"close"_s};
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
        << QStringList{u"B100"_s}
        << QByteArray("#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"
                      "001000EntireArea*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n")
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
    QCOMPARE(contents(path), bytes);
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
    QCOMPARE(contents(path), QByteArray("edited, no rules kept"));
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
    QCOMPARE(contents(h.dir.filePath(u"old.txt"_s)), QByteArray("old"));
    QCOMPARE(h.fileText(), base + closing);
    QCOMPARE(h.form.txtCreate2, box);
    QCOMPARE(h.form.txtCreate3, report);
    QCOMPARE(h.form.txtCreate3Colour, BoxColour::Green);
    QVERIFY(h.form.enabled.cmdSave1);
    QVERIFY(h.form.enabled.cmdEnd5);
}

QTEST_GUILESS_MAIN(TestWizardFile)
#include "tst_wizardfile.moc"
