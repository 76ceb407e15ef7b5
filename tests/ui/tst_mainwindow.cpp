#include "support/table.h"
#include "support/windowharness.h"
#include "ui/qtplatform.h"
#include "ui/style.h"
#include "ui/textbox.h"

#include <QDir>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using quenbury::ui::MainWindow;

namespace {

// What a control shows: a box its text as the model reads it, a list its first line.
QString shownText(QWidget* w) {
    if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        return quenbury::ui::modelText(*box->document());
    if (auto* list = qobject_cast<QListView*>(w))
        return list->model()->index(0, 0).data().toString();
    return w->property(qobject_cast<QComboBox*>(w) ? "currentText" : "text").toString();
}

// One step of the click walk; false when it names nothing the user can click.
bool clickStep(WindowHarness& h, const QString& step) {
    QTabBar* bar = h.tabs()->tabBar();
    QWidget* page = h.tabs()->currentWidget();
    QWidget* control = h.get<QWidget>(step.section(u':', 1));
    // A double click ticks every event, on the tab control alone.
    if (step == u"double:header"_s)
        QTest::mouseDClick(bar, Qt::LeftButton, {}, bar->tabRect(bar->currentIndex()).center());
    else if (step == u"double:page"_s)
        QTest::mouseDClick(page, Qt::LeftButton, {}, QPoint(page->width() - 3, page->height() - 3));
    else if (step.startsWith(u"double:"_s) && control)
        QTest::mouseDClick(control, Qt::LeftButton);
    else if (step == u"menu"_s)
        h.get<QAction>(u"End"_s)->trigger();
    else if (step == u"close"_s)
        h.window.close(); // refused while the user keeps the work
    else
        return h.click(step);
    return true;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void menuOverflowIcon();
    void laterPagesAfterShow();
    void startState_data();
    void startState();
    void clickWalk();
    void typedText();
    void accessKeys_data();
    void accessKeys();
    void tabOrder();
    void brisvane100ByKeyboard();
    void findAndChoose_data();
    void findAndChoose();
    void brisvane400ByKeyboard();
    void saveDialog();
    void reopenAndGoToProblems();
};

void TestMainWindow::initTestCase() {
    quenbury::ui::installStyle(); // as the program does
}

// The menu bar's overflow button gets its icon only when something draws it: the style's own.
void TestMainWindow::menuOverflowIcon() {
    FakePlatform platform;
    MainWindow window(platform, DatabaseFolder);
    auto* button = window.menuBar()->findChild<QToolButton*>(u"qt_menubar_ext_button"_s);
    QVERIFY(button);
    const QImage shown = button->icon().pixmap(16).toImage();
    const auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
    QVERIFY(style);
    const QImage own =
        style->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage();
    QVERIFY(!own.isNull());
    QCOMPARE(shown, own);
}

// The program builds the pages after the Start page once its window is on screen: before that
// only the Start page exists; after it, every page works as if it had been built at once.
void TestMainWindow::laterPagesAfterShow() {
    FakePlatform platform;
    MainWindow window(platform, DatabaseFolder, MainWindow::LaterPages::AfterShow);
    QCOMPARE(window.findChild<QCheckBox*>(u"Check1"_s), nullptr);
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    QVERIFY(exposed);
    const QSize pages = window.size() - QSize(0, window.statusBar()->height());
    QCOMPARE(pages, QSize(561, 426)); // the status bar adds to the window
    QTRY_VERIFY(window.findChild<QCheckBox*>(u"Check53"_s));
    QTest::mouseClick(window.findChild<QPushButton*>(u"cmdContinue1"_s), Qt::LeftButton);
    QVERIFY(window.findChild<QCheckBox*>(u"Check53"_s)->isChecked());
}

void TestMainWindow::startState_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    const QList<TableRow> rows = readTable(u"start-state.txt"_s, u" | "_s, 4);
    const QString folder = QDir::toNativeSeparators(DatabaseFolder);
    for (const TableRow& row : rows) {
        const QString& quoted = row.fields[3];
        QString text = unescaped(quoted.mid(1, quoted.size() - 2)); // without its double quotes
        text.replace(u"{database folder}"_s, folder);
        const bool enabled = row.fields[2] == u"1"_s;
        QTest::newRow(qPrintable(row.fields[0])) << row.fields[1].toInt() << text << enabled;
    }
    QCOMPARE(rows.size(), 58);
}

void TestMainWindow::startState() {
    QFETCH(int, page);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    WindowHarness h;
    auto* control = h.get<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control && h.tabs()->widget(page)->isAncestorOf(control));
    // A box is written when its page is in sight, so look at the page as a user would.
    h.tabs()->setCurrentIndex(page);
    QCOMPARE(shownText(control), text);
    QCOMPARE(control->isEnabled(), enabled);
}

// Each step of the walk, and the page, the ticked boxes, the End requests and questions after it.
void TestMainWindow::clickWalk() {
    const QList<TableRow> walk = readTable(u"click-walk.txt"_s, u" "_s, 5);
    QCOMPARE(walk.size(), 27);
    WindowHarness h;
    for (const TableRow& row : walk) {
        h.box(1)->setChecked(false);
        QString step = row.fields[0];
        if (step.startsWith(u"yes:"_s))
            h.platform.discards.enqueue(true);
        step.remove(u"yes:"_s);
        const bool clicked = clickStep(h, step);
        QVERIFY2(clicked, qPrintable(row.where));
        QCOMPARE(h.tabs()->currentIndex(), row.fields[1].toInt());
        QCOMPARE(h.window.form().SSTab1, row.fields[1].toInt());
        QCOMPARE(h.tickedBoxes(), row.fields[2].toInt());
        QCOMPARE(h.platform.endRequests, row.fields[3].toInt());
        QCOMPARE(h.platform.questions.size(), row.fields[4].toInt());
    }
    QVERIFY(!h.window.isVisible());
}

// What is typed reaches the model with CR LF line ends and every character kept.
void TestMainWindow::typedText() {
    WindowHarness h;
    QTabBar* bar = h.tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    auto* edit = h.get<QPlainTextEdit>(u"txtText1"_s);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, u"A*"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, u"B\u00A0C*"_s);                   // a no-break space: byte 0xA0 in the file
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier); // a soft line break
    QTest::keyClicks(edit, u"D*"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    const bool clicked = h.click(u"cmdContinue3"_s);
    QVERIFY(clicked);
    const QString expected = u"A*\r\nB\u00A0C*\r\nD*\r\n"_s;
    QCOMPARE(h.window.wizard().variables().FileText, expected);
    auto* next = h.get<QPlainTextEdit>(u"txtTranslations1"_s);
    QCOMPARE(shownText(next), expected);
    QCOMPARE(next->blockCount(), 4); // three lines and the empty one after the last line end
}

void TestMainWindow::accessKeys_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("where");
    const QList<TableRow> rows = readTable(u"access-keys.txt"_s, u" | "_s, 3);
    for (const TableRow& row : rows) {
        const QStringList steps = row.fields[2].split(u' ');
        QTest::newRow(qPrintable(row.fields[0])) << row.fields[1].toInt() << steps << row.where;
    }
    QCOMPARE(rows.size(), 12);
}

void TestMainWindow::accessKeys() {
    QFETCH(int, page);
    QFETCH(QStringList, steps);
    QFETCH(QString, where);
    static const QRegularExpression form(u"^(\\+|=(\\w+)|(\\S+)>(\\d):(\\w+))$"_s);
    WindowHarness h;
    h.tabs()->setCurrentIndex(page);
    QStringList clicked;
    for (const QString& step : steps) {
        const QRegularExpressionMatch m = form.match(step);
        QVERIFY2(m.hasMatch(), qPrintable(where));
        if (step == u"+"_s) {
            h.enableAllButtons();
        } else if (m.hasCaptured(2)) {
            clicked.append(m.captured(2));
        } else {
            h.type(m.captured(3));
            QCOMPARE(h.tabs()->currentIndex(), m.captured(4).toInt());
            QCOMPARE(h.focus().replace(TabBar, u"tab"_s), m.captured(5));
        }
    }
    QCOMPARE(h.clicked, clicked);
}

// Tab walks every control of the page once, from the header strip round to it again, every control
// it reaches has a name a screen reader speaks, and a find field leads into its list.
void TestMainWindow::tabOrder() {
    for (int page = 0; page < 5; ++page) {
        WindowHarness h;
        h.tabs()->setCurrentIndex(page);
        h.enableAllButtons();
        h.tabs()->tabBar()->setFocus();
        QStringList walk;
        do {
            h.type(u"Tab"_s);
            walk.append(h.focus());
        } while (walk.last() != TabBar && walk.size() < 100);
        QStringList controls{TabBar};
        for (QWidget* w : h.tabs()->widget(page)->findChildren<QWidget*>()) {
            const bool reached = w->isVisible() && (w->focusPolicy() & Qt::TabFocus);
            if (!reached || w->objectName().isEmpty())
                continue;
            if (!QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
                controls.append(w->objectName());
        }
        // So has every field and button out of Tab's way: a find field's clear button, a drop-down's field.
        for (QWidget* w : h.tabs()->widget(page)->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w);
            const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            const QString where =
                w->parent()->objectName() + u" holds an unnamed "_s + w->metaObject()->className();
            QVERIFY2(!control || !name.isEmpty(), qPrintable(where));
        }
        if (page == 2 || page == 3) {
            const qsizetype find = walk.indexOf(u"txtFind%1"_s.arg(page - 1));
            QCOMPARE(walk.value(find + 1), u"lstList%1"_s.arg(page - 1));
        }
        std::sort(walk.begin(), walk.end());
        std::sort(controls.begin(), controls.end());
        QCOMPARE(walk, controls);
    }
}

// A Brisvane 100 file with the keyboard alone, its county found by name and state, saved twice: the
// save dialog starts at home (no documents folder there), then where the last save went.
void TestMainWindow::brisvane100ByKeyboard() {
    QTemporaryDir dir;
    qputenv("HOME", dir.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.filePath(u"config"_s).toLocal8Bit());
    const QString path = dir.filePath(u"saved/match.txt"_s);
    const bool made = QDir(dir.path()).mkpath(u"saved"_s);
    QVERIFY(made);
    WindowHarness h;
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    h.platform.savePaths.enqueue(path);

    // Continue has the focus at start; Clear All shares its key with the Create File header, Continue
    // on the Locations page too; Brisvane 100 is the first of two buttons that share its key; Save
    // shares the Start header's key.
    h.type(u"Space Alt+C Space"_s);
    h.tabTo(u"Check45"_s);
    h.type(u"Space Alt+O Alt+D Ctrl+F"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"franklin oh"_s);
    h.type(u"Down Space Alt+A"_s);
    h.type(u"Alt+C Space Alt+B Space Alt+V Alt+S Space Space"_s);
    const QStringList folders{dir.path(), dir.filePath(u"saved"_s)};
    QCOMPARE(h.platform.saveStartFolders, folders);
    const QPalette report = h.get<QPlainTextEdit>(u"txtCreate3"_s)->palette();
    QCOMPARE(report.color(QPalette::Base), QColor(0, 255, 0));
    const QByteArray saved = QByteArray(nineLineBytes).replace("001000EntireArea", "039049Franklin");
    QCOMPARE(readFile(path), saved);
}

void TestMainWindow::findAndChoose_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("where");
    const QList<TableRow> rows = readTable(u"find-and-choose.txt"_s, u" | "_s, 4);
    for (const TableRow& row : rows) {
        const QStringList steps = row.fields[2].split(u' ');
        QTest::newRow(qPrintable(row.fields[0]))
            << row.fields[1].toInt() << steps << row.fields[3] << row.where;
    }
    QCOMPARE(rows.size(), 6);
}

// Each page's list, find field and area drop-down; on the Locations page Add Item ends the steps.
void TestMainWindow::findAndChoose() {
    QFETCH(int, page);
    QFETCH(QStringList, steps);
    QFETCH(QString, where);
    WindowHarness h;
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    h.type(page == 2 ? u"Alt+L Alt+D"_s : u"Alt+L Alt+D Alt+T"_s);
    const QString n = QString::number(page - 1);
    auto* find = h.get<QLineEdit>(u"txtFind"_s + n);
    auto* list = h.get<QListView>(u"lstList"_s + n);
    auto* combo = h.get<QComboBox>(page == 2 ? u"cboLocation1"_s : u"cboTranslations1"_s);
    const QStringList& lines = h.window.form().lstList1.lines(); // both lists hold the database
    for (const QString& step : steps) {
        const QString verb = step.section(u':', 0, 0);
        const QString arg = step.section(u':', 1);
        const QModelIndex line = list->model()->index(int(lines.indexOf(arg)), 0);
        if (verb == u"find"_s) {
            QTest::keyClick(find, Qt::Key_Escape); // empties the field
            QTest::keyClicks(find, QString(arg).replace(u'_', u' '));
        } else if (verb == u"click"_s && line.isValid()) {
            list->scrollTo(line);
            const QPoint centre = list->visualRect(line).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, centre);
        } else if (verb == u"choose"_s) {
            combo->showPopup();
            combo->view()->setCurrentIndex(combo->model()->index(arg.toInt(), 0));
            QTest::keyClick(combo->view(), Qt::Key_Return);
        } else if (verb == u"type"_s) {
            combo->lineEdit()->selectAll(); // what is typed would replace the prompt
            QTest::keyClicks(combo->lineEdit(), arg + u'\r');
            list->setFocus(); // leaving the field chooses nothing either
        } else {
            QFAIL(qPrintable(where));
        }
    }
    const auto& model = page == 2 ? h.window.form().lstList1 : h.window.form().lstList2;
    QStringList selected;
    for (qsizetype row : model.selectedRows()) {
        selected.append(lines[row]);
        QCOMPARE(list->isRowHidden(int(row)), !find->text().isEmpty()); // every find here hides them
    }
    // A chosen area's line comes into sight, at the top of the list.
    if (steps.last().startsWith(u"choose:"_s)) {
        const int top = list->indexAt(QPoint(1, 1)).row();
        QCOMPARE(top, int(model.selectedRows().value(0)));
    }
    const QString count = h.get<QLabel>(u"lblSelected"_s + n)->text();
    const QString shown = QStringList{selected.join(u' '), find->text(), count}.join(u'|');
    QTEST(shown, "expected");
    QCOMPARE(h.platform.beeps, page == 3 ? int(steps.filter(u"choose:"_s).size()) : 0);
    if (page == 3)
        return;
    const bool added = h.click(u"cmdAdd1"_s);
    QVERIFY(added);
    QVERIFY(h.window.form().txtText1.endsWith(selected.join(u"\r\n"_s) + u"\r\n"_s));
}

// The Brisvane 400 path by keyboard from a fresh start, Enter never going back; on the way, End after a
// find for "franklin" takes the last Franklin line in view.
void TestMainWindow::brisvane400ByKeyboard() {
    QTemporaryDir dir;
    qputenv("HOME", dir.path().toLocal8Bit());
    const QString path = dir.filePath(u"Documents/kitchen.txt"_s);
    const bool made = QDir(dir.path()).mkdir(u"Documents"_s);
    QVERIFY(made);
    WindowHarness h;
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    h.platform.savePaths.enqueue(path);
    h.type(u"Return"_s);
    QVERIFY(h.window.testAttribute(Qt::WA_KeyboardFocusChange)); // the first box shows its focus
    h.type(u"Space Tab Space"_s);
    h.tabTo(u"cmdContinue2"_s);
    h.type(u"Return Alt+D Ctrl+F"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"franklin"_s);
    h.type(u"Down End"_s);
    const auto& list = h.window.form().lstList1;
    const QString end = list.lines().value(list.currentRow());
    const QString count = h.get<QLabel>(u"lblSelected1"_s)->text();
    h.type(u"Ctrl+F"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"franklin oh"_s);
    QCoreApplication::processEvents(); // as between a user's keys: the longer count laid out
    const QLabel* shownCount = h.get<QLabel>(u"lblSelected1"_s);
    QVERIFY(shownCount->minimumSizeHint().width() <= shownCount->width()); // it wraps, not widens
    h.type(u"Down Alt+A Alt+C Return"_s);
    h.tabTo(u"cmdBrisvane400"_s);
    h.type(u"Return Ctrl+F"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"franklin oh"_s);
    h.type(u"Return Alt+A Alt+O Return"_s);
    // A keystroke in the verified box takes the verdict back, even one undone, until Verify File.
    h.tabTo(u"txtCreate2"_s);
    h.type(u"X Backspace"_s);
    QVERIFY(!h.get<QPushButton>(u"cmdSave1"_s)->isEnabled());
    h.type(u"Alt+V"_s);
    // The verdict and the save's word are heard where the focus is; the report box says it too.
    const QString verdict = QApplication::focusWidget()->accessibleDescription();
    QCOMPARE(h.get<QPlainTextEdit>(u"txtCreate3"_s)->accessibleDescription(), verdict);
    h.tabTo(u"cmdSave1"_s);
    h.type(u"Return"_s);
    QCOMPARE(end + u' ' + count, u"053021Franklin* 1 line selected"_s);
    QCOMPARE(readFile(path), readFile(QStringLiteral(QUENBURY_TEST_DATA "/brisvane400-keyboard.txt")));
    const QString saved = h.get<QLabel>(u"lblSaved"_s)->text();
    QCOMPARE(saved, u"Saved 2,334 bytes to ~/Documents/kitchen.txt"_s);
    QCOMPARE(verdict, u"Green: nothing to report."_s);
    QCOMPARE(QApplication::focusWidget()->accessibleDescription(), saved);
    QVERIFY(h.get<QPushButton>(u"cmdCreate1"_s)->accessibleDescription().isEmpty()); // the word moved
    const QString clicks =
        u"cmdContinue1 Check1 Check2 cmdContinue2 cmbLocation4 cmdAdd1 "
        u"cmdContinue3 cmdBrisvane400 cmdAddItem2 cmdContinue5 cmdCreate1 cmdCreate1 cmdSave1"_s;
    QCOMPARE(h.clicked.join(u' '), clicks);
}

// The save dialog, set up but never shown: a name typed without a suffix gets the Text filter's.
void TestMainWindow::saveDialog() {
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath(u"config"_s).toLocal8Bit()); // where the dialog keeps its state
    QFileDialog dialog;
    quenbury::ui::setUpSaveDialog(dialog, quenbury::wizard::Wizard::SaveFilter, dir.path());
    auto* name = dialog.findChild<QLineEdit*>(u"fileNameEdit"_s);
    auto* filters = dialog.findChild<QComboBox*>(u"fileTypeCombo"_s);
    name->setText(u"kitchen"_s);
    QMetaObject::invokeMethod(&dialog, "accept");
    QStringList chosen = dialog.selectedFiles();
    QTest::keyClick(filters, Qt::Key_Down); // "All(*.*)"
    name->setText(u"pantry"_s);
    QMetaObject::invokeMethod(&dialog, "accept");
    chosen += dialog.selectedFiles();
    const QStringList expected{dir.filePath(u"kitchen.txt"_s), dir.filePath(u"pantry"_s)};
    QCOMPARE(chosen, expected);
    // After an open, the dialog offers the opened file's folder and name.
    QFileDialog offering;
    quenbury::ui::setUpSaveDialog(offering, quenbury::wizard::Wizard::SaveFilter,
                                  dir.filePath(u"opened.txt"_s));
    const QString offered = offering.findChild<QLineEdit*>(u"fileNameEdit"_s)->text();
    QCOMPARE(offering.directory().absolutePath() + u'/' + offered, dir.filePath(u"opened.txt"_s));
}

// A saved file opened again at start: its problems gone to in line order by Verify File, F8, a double
// click on the report and Shift+F8, tinted until the box changes; then mended by hand, verified and
// saved through the name the dialog offers, and End at once.
void TestMainWindow::reopenAndGoToProblems() {
    QTemporaryDir dir;
    QByteArray text = "#MatchEvent*\r\nTOX*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n";
    for (int line = 6; line <= 197; ++line)
        text += "001" + QByteArray::number(line).rightJustified(3, '0') + (line == 150 ? "\r\n" : "*\r\n");
    text += closingLines.toLatin1();
    const QString path = writeFile(dir.filePath(u"kitchen.txt"_s), text);
    WindowHarness h;
    auto* box = h.get<QPlainTextEdit>(u"txtCreate2"_s);
    // The line numbers' margin keeps its width as text comes: a change lays out every line again.
    const int textStart = box->viewport()->x();
    h.window.openAtStart(path);
    QCOMPARE(box->viewport()->x(), textStart);
    const auto where = [&] {
        const QTextCursor cursor = box->textCursor();
        const QString place = h.get<QLabel>(u"lblPlace"_s)->text();
        return QStringList{QString::number(cursor.blockNumber() + 1), cursor.selectedText(), place, h.focus(),
                           QString::number(box->extraSelections().size())}
            .join(u'|');
    };
    QStringList seen;
    for (const QString& key : {u"Alt+V"_s, u"F8"_s, u"F8"_s, u"report"_s, u"Shift+F8"_s,
                               u"Home Right Right Shift+Right"_s, u"R"_s}) {
        if (key == u"report"_s) { // the line of "**Asterisk Missing"
            auto* report = h.get<QPlainTextEdit>(u"txtCreate3"_s);
            const QTextBlock told = report->document()->findBlockByNumber(2);
            const QPoint at = report->cursorRect(QTextCursor(told)).center();
            QTest::mouseDClick(report->viewport(), Qt::LeftButton, {}, at);
        } else if (key == u"R"_s) { // typed over the selected X
            QTest::keyClicks(box, key);
        } else {
            h.type(key);
        }
        seen.append(where());
    }
    const QStringList expected{u"2|TOX*||cmdCreate1|2"_s,
                               u"150|001150|Line 150, Column 1|txtCreate2|2"_s,
                               u"2|TOX*|Line 2, Column 1|txtCreate2|2"_s,
                               u"150|001150|Line 150, Column 1|txtCreate2|2"_s,
                               u"2|TOX*|Line 2, Column 1|txtCreate2|2"_s,
                               u"2|X|Line 2, Column 4|txtCreate2|2"_s,
                               u"2||Line 2, Column 4|txtCreate2|0"_s};
    QCOMPARE(seen, expected);
    h.type(u"Alt+V F8 End * Alt+V"_s);
    h.platform.savePaths.enqueue(path);
    const bool saved = h.click(u"cmdSave1"_s);
    const bool ended = h.click(u"cmdEnd5"_s);
    QVERIFY(saved && ended);
    QCOMPARE(h.platform.saveStartFolders, QStringList{path});
    QCOMPARE(readFile(path), text.replace("TOX*", "TOR*").replace("001150\r\n", "001150*\r\n"));
    QCOMPARE(h.platform.questions.size() * 10 + h.platform.endRequests, 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
