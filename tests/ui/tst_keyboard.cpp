#include "support/windowharness.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// Types each key, then waits while a button worked by its access key is still shown pressed: it is
// clicked only when it comes up again.
void keys(WindowHarness& h, const QString& sequence) {
    for (const QString& key : sequence.split(u' ')) {
        h.type(key);
        const auto buttons = h.window.findChildren<QAbstractButton*>();
        QTRY_VERIFY(std::none_of(buttons.begin(), buttons.end(), [](auto* b) { return b->isDown(); }));
    }
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accessKeys_data();
    void accessKeys();
    void tabOrder_data();
    void tabOrder();
    void brisvane100ByKeyboard();
    void findAndChoose_data();
    void findAndChoose();
};

void TestKeyboard::accessKeys_data() {
    QTest::addColumn<int>("page");
    // "+" every button enabled; key>shown page:focus ("tab" the header strip); "=" the click
    QTest::addColumn<QString>("steps");
    // A key only one control in sight has works it at once.
    QTest::newRow("Events: Alt+O continues") << 1 << u"Alt+O>2:tab =cmdContinue2"_s;
    QTest::newRow("Locations: Alt+A adds") << 2 << u"+ Alt+A>2:tab =cmdAdd1"_s;
    // A disabled button does not share its key: the header alone has it.
    QTest::newRow("Translations: Alt+C before Brisvane 400") << 3 << u"Alt+C>4:tab"_s;
    QTest::newRow("Create File: Alt+S before verifying") << 4 << u"Alt+S>0:tab"_s;
    // A shared key moves the focus: the page's buttons in tab order, then the header, then round.
    QTest::newRow("Start: Alt+C Space continues")
        << 0 << u"Alt+C>0:cmdContinue1 Space>1:cmdSelectAll1 =cmdContinue1"_s;
    QTest::newRow("Events: Alt+E thrice") << 1 << u"Alt+E>1:cmdEnd2 Alt+E>1:tab Alt+E>1:cmdEnd2"_s;
    QTest::newRow("Translations: Alt+B Alt+B Space goes back")
        << 3 << u"Alt+B>3:cmdContinue4 Alt+B>3:cmdBack3 Space>2:cmdBack1 =cmdBack3"_s;
    QTest::newRow("Create File: Alt+S twice") << 4 << u"+ Alt+S>4:cmdSave1 Alt+S>0:tab"_s;
}

void TestKeyboard::accessKeys() {
    QFETCH(int, page);
    QFETCH(QString, steps);
    WindowHarness h;
    h.tabs()->setCurrentIndex(page);
    QStringList clicked;
    for (const QString& step : steps.split(u' ')) {
        if (step == u"+"_s) {
            h.enableAllButtons();
        } else if (step.startsWith(u'=')) {
            clicked.append(step.mid(1));
        } else {
            keys(h, step.section(u'>', 0, 0));
            QCOMPARE(h.tabs()->currentIndex(), step.section(u'>', 1).section(u':', 0, 0).toInt());
            QCOMPARE(h.focus().replace(TabBar, u"tab"_s), step.section(u':', 1));
        }
    }
    QCOMPARE(h.clicked, clicked);
}

void TestKeyboard::tabOrder_data() {
    QTest::addColumn<int>("page");
    for (int page = 0; page < 5; ++page)
        QTest::addRow("page %d", page) << page;
}

// Tab walks every control of the page once, from the header strip round to it again, every control
// it reaches has a name a screen reader speaks, and a find field leads into its list.
void TestKeyboard::tabOrder() {
    QFETCH(int, page);
    WindowHarness h;
    h.tabs()->setCurrentIndex(page);
    h.enableAllButtons();
    QStringList walk;
    do
        h.type(u"Tab"_s);
    while (walk.append(h.focus()), walk.last() != TabBar && walk.size() < 100);
    QStringList controls{TabBar};
    for (QWidget* w : h.tabs()->widget(page)->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) &&
            !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
            controls.append(w->objectName());
    }
    if (page == 2 || page == 3)
        QCOMPARE(walk.value(walk.indexOf(u"txtFind%1"_s.arg(page - 1)) + 1), u"lstList%1"_s.arg(page - 1));
    std::sort(walk.begin(), walk.end());
    std::sort(controls.begin(), controls.end());
    QCOMPARE(walk, controls);
}

// A Brisvane 100 file with the keyboard alone, its county found by name and state, saved twice: the
// save dialog starts at home (no documents folder there), then where the last save went.
void TestKeyboard::brisvane100ByKeyboard() {
    QTemporaryDir dir;
    qputenv("HOME", dir.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.filePath(u"config"_s).toLocal8Bit());
    const QString path = dir.filePath(u"saved/match.txt"_s);
    QVERIFY(QDir(dir.path()).mkpath(u"saved"_s));
    WindowHarness h;
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    h.platform.savePaths.enqueue(path);

    // Continue and Clear All share their key with the Create File header, Continue on the Locations
    // page too; Brisvane 100 is the first control of its page; Save shares the Start header's key.
    keys(h, u"Alt+C Space Alt+C Space"_s);
    h.tabTo(u"Check45"_s);
    keys(h, u"Space Alt+O Alt+D Ctrl+F"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"franklin oh"_s);
    keys(h, u"Down Space Alt+A"_s);
    keys(h, u"Alt+C Space Space Alt+V Alt+S Space Space"_s);
    QCOMPARE(h.platform.saveStartFolders, (QStringList{dir.path(), dir.filePath(u"saved"_s)}));
    QCOMPARE(h.get<QPlainTextEdit>(u"txtCreate3"_s)->palette().color(QPalette::Base), QColor(0, 255, 0));
    QCOMPARE(readFile(path), QByteArray(nineLineBytes).replace("001000EntireArea", "039049Franklin"));
}

void TestKeyboard::findAndChoose_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>(
        "steps"); // find:TEXT ("_" a blank), click:LINE (with Ctrl), choose:ROW, type:TEXT
    QTest::addColumn<QString>("expected"); // the selected lines|the find field|the count under the list
    QTest::newRow("hidden selections kept and added")
        << 2 << u"find:franklin_oh click:039049Franklin* find:autauga click:001001Autauga* find:zzz"_s
        << u"001001Autauga* 039049Franklin*|zzz|2 lines selected"_s;
    QTest::newRow("an area choice empties the find")
        << 2 << u"find:franklin click:039049Franklin* choose:35"_s << u"039000EntireArea*||1 line selected"_s;
    QTest::newRow("the shown area chosen again")
        << 3 << u"choose:35 click:039049Franklin* choose:35"_s << u"039000EntireArea*||1 line selected"_s;
    QTest::newRow("typing in the area field changes nothing")
        << 2 << u"click:039049Franklin* type:01-Alabama"_s << u"039049Franklin*||1 line selected"_s;
}

// Each page's list, find field and area drop-down; on the Locations page Add Item ends the steps.
void TestKeyboard::findAndChoose() {
    QFETCH(int, page);
    QFETCH(QString, steps);
    WindowHarness h;
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    keys(h, page == 2 ? u"Alt+L Alt+D"_s : u"Alt+L Alt+D Alt+T"_s);
    const QString n = QString::number(page - 1);
    auto* find = h.get<QLineEdit>(u"txtFind"_s + n);
    auto* list = h.get<QListView>(u"lstList"_s + n);
    auto* combo = h.get<QComboBox>(page == 2 ? u"cboLocation1"_s : u"cboTranslations1"_s);
    const QStringList& lines = h.window.form().lstList1.lines(); // both lists hold the database
    for (const QString& step : steps.split(u' ')) {
        const QString verb = step.section(u':', 0, 0), arg = step.section(u':', 1);
        const QModelIndex line = list->model()->index(int(lines.indexOf(arg)), 0);
        if (verb == u"find"_s) {
            QTest::keyClick(find, Qt::Key_Escape); // empties the field
            QTest::keyClicks(find, QString(arg).replace(u'_', u' '));
        } else if (verb == u"click"_s) {
            list->scrollTo(line);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualRect(line).center());
        } else if (verb == u"choose"_s) { // a row of the drop-down's open list, by keys
            combo->showPopup();
            combo->view()->setCurrentIndex(combo->model()->index(arg.toInt(), 0));
            QTest::keyClick(combo->view(), Qt::Key_Return);
        } else {
            combo->lineEdit()->selectAll(); // what is typed would replace the prompt
            QTest::keyClicks(combo->lineEdit(), arg + u'\r');
            list->setFocus(); // leaving the field chooses nothing either
        }
    }
    QStringList selected;
    for (qsizetype row : (page == 2 ? h.window.form().lstList1 : h.window.form().lstList2).selectedRows()) {
        selected.append(lines[row]);
        QCOMPARE(list->isRowHidden(int(row)), !find->text().isEmpty()); // every find here hides them
    }
    QTEST(QStringList({selected.join(u' '), find->text(), h.get<QLabel>(u"lblSelected"_s + n)->text()})
              .join(u'|'),
          "expected");
    QCOMPARE(h.platform.beeps, page == 3 ? int(steps.count(u"choose:"_s)) : 0);
    QVERIFY(page == 3 || h.click(u"cmdAdd1"_s));
    QVERIFY(page == 3 || h.window.form().txtText1.endsWith(selected.join(u"\r\n"_s) + u"\r\n"_s));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
