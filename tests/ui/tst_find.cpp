#include "support/windowharness.h"

#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

class TestFind : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findAndChoose_data();
    void findAndChoose();
    void saveFolder();
};

void TestFind::findAndChoose_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>(
        "steps"); // find:TEXT ("_" a blank), click:LINE, ctrl:LINE, choose:ROW, type:TEXT, add
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("field"); // the find field at the end
    QTest::addColumn<QString>("count");
    const auto row = [](const char* name, int page, const QString& steps, const QString& selected,
                        const QString& field, const QString& count) {
        QTest::newRow(name) << page << steps.split(u' ') << selected.split(u' ', Qt::SkipEmptyParts) << field
                            << count;
    };
    row("hidden selections kept and added", 2,
        u"find:franklin_oh click:039049Franklin* find:autauga ctrl:001001Autauga* find:zzz add"_s,
        u"001001Autauga* 039049Franklin*"_s, u"zzz"_s, u"2 lines selected"_s);
    row("one line", 3, u"find:39049 click:039049Franklin* find:"_s, u"039049Franklin*"_s, QString(),
        u"1 line selected"_s);
    row("an area choice empties the find", 2, u"find:franklin ctrl:039049Franklin* choose:35"_s,
        u"039000EntireArea*"_s, QString(), u"1 line selected"_s);
    row("the shown area chosen again", 3, u"choose:35 click:039049Franklin* choose:35"_s,
        u"039000EntireArea*"_s, QString(), u"1 line selected"_s);
    row("typing in the area field changes nothing", 2, u"click:039049Franklin* type:01-Alabama"_s,
        u"039049Franklin*"_s, QString(), u"1 line selected"_s);
}

void TestFind::findAndChoose() {
    QFETCH(int, page);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, selected);
    WindowHarness h;
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    h.tabs()->setCurrentIndex(2);
    QVERIFY(h.click(u"cmbLocation4"_s));
    h.tabs()->setCurrentIndex(page);
    h.enableAllButtons();
    const QString n = page == 2 ? u"1"_s : u"2"_s;
    auto* find = h.get<QLineEdit>(u"txtFind"_s + n);
    auto* list = h.get<QListView>(u"lstList"_s + n);
    auto* combo = h.get<QComboBox>(page == 2 ? u"cboLocation1"_s : u"cboTranslations1"_s);
    const QStringList& lines = h.window.form().lstList1.lines(); // both lists hold the database
    for (const QString& step : steps) {
        const QString verb = step.section(u':', 0, 0), arg = step.section(u':', 1);
        if (verb == u"find"_s) {
            find->clear();
            QTest::keyClicks(find, QString(arg).replace(u'_', u' '));
        } else if (verb == u"click"_s || verb == u"ctrl"_s) {
            const QModelIndex index = list->model()->index(int(lines.indexOf(arg)), 0);
            list->scrollTo(index);
            QTest::mouseClick(list->viewport(), Qt::LeftButton,
                              verb == u"ctrl"_s ? Qt::ControlModifier : Qt::NoModifier,
                              list->visualRect(index).center());
        } else if (verb == u"choose"_s) { // from the drop-down's open list, by keys
            combo->showPopup();
            combo->view()->setCurrentIndex(combo->model()->index(arg.toInt(), 0));
            QTest::keyClick(combo->view(), Qt::Key_Return);
        } else if (verb == u"type"_s) {
            combo->setFocus();
            QTest::keyClicks(combo, arg);
            QTest::keyClick(combo, Qt::Key_Return);
            list->setFocus(); // leaving the field chooses nothing either
        } else {
            QVERIFY(h.click(page == 2 ? u"cmdAdd1"_s : u"cmdAddItem2"_s));
        }
    }
    const auto& model = page == 2 ? h.window.form().lstList1 : h.window.form().lstList2;
    QStringList selectedLines;
    for (qsizetype row : model.selectedRows()) {
        selectedLines.append(lines[row]);
        QCOMPARE(list->isRowHidden(int(row)), !find->text().isEmpty()); // every find here hides them
    }
    QCOMPARE(selectedLines, selected);
    QTEST(find->text(), "field");
    QTEST(h.get<QLabel>(u"lblSelected"_s + n)->text(), "count");
    QCOMPARE(h.platform.beeps, page == 3 ? int(steps.filter(u"choose:"_s).size()) : 0);
    if (steps.contains(u"add"_s))
        QVERIFY(h.window.form().txtText1.endsWith(selected.join(u"\r\n"_s) + u"\r\n"_s));
}

// The save dialog starts in the documents folder, else home, and after a save where it went.
void TestFind::saveFolder() {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(u"config"_s).toLocal8Bit());
    WindowHarness h;
    h.tabs()->setCurrentIndex(4);
    h.get<QPlainTextEdit>(u"txtCreate2"_s)->setPlainText(nineLines);
    QVERIFY(h.click(u"cmdCreate1"_s)); // a clean verification enables Save
    QVERIFY(QDir(home.path()).mkpath(u"saved"_s));
    for (const QString& path :
         {QString(), home.filePath(u"saved/a.txt"_s), QString()}) // cancel, save, cancel
        h.platform.savePaths.enqueue(path);
    for (int save = 0; save < 3; ++save) {
        QVERIFY(h.click(u"cmdSave1"_s));
        QVERIFY(QDir(home.path()).mkpath(u"Documents"_s));
    }
    QCOMPARE(h.platform.saveStartFolders,
             (QStringList{home.path(), home.filePath(u"Documents"_s), home.filePath(u"saved"_s)}));
}

QTEST_MAIN(TestFind)
#include "tst_find.moc"
