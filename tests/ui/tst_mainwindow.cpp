#include "support/windowharness.h"
#include "ui/mainwindow.h"
#include "ui/qtplatform.h"
#include "ui/textbox.h"

#include "events/eventcatalogue.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;
using quenbury::ui::MainWindow;
using Harness = WindowHarness;

namespace {

QString shownText(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        return quenbury::ui::modelText(*box->document());
    if (auto* list = qobject_cast<QListView*>(w)) {
        QStringList rows;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            rows.append(list->model()->index(row, 0).data().toString());
        return rows.join(u"\r\n"_s);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->lineEdit()->text();
    return u"<no text>"_s;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowFrame();
    void laterPagesAfterShow();
    void startState_data();
    void startState();
    void eventRowGeometry_data();
    void eventRowGeometry();
    void databaseLinesShownWhole_data();
    void databaseLinesShownWhole();
    void clickWalk();
    void headerChoice();
    void doubleClick_data();
    void doubleClick();
    void typedText_data();
    void typedText();
    void unchangedBoxIsNotRewritten();
    void fileFilter_data();
    void fileFilter();
};

void TestMainWindow::windowFrame() {
    Harness h;
    QCOMPARE(h.window.objectName(), u"frmMain"_s);
    QCOMPARE(h.window.windowTitle(), u"Corvanta  Quenbury(tm)"_s);
    QCOMPARE(h.window.size(), QSize(561, 426));
    auto* file = h.get<QMenu>(u"File"_s);
    QVERIFY(file);
    QCOMPARE(file->title(), u"&File"_s);
    QCOMPARE(file->actions().size(), 1);
    QCOMPARE(file->actions().first()->objectName(), u"End"_s);
    QCOMPARE(file->actions().first()->text(), u"&End"_s);

    QTabWidget* tabs = h.tabs();
    QCOMPARE(tabs->count(), 5);
    const QStringList headers{u"&Start"_s, u"&Events"_s, u"&Locations"_s, u"&Translations"_s,
                              u"&Create File"_s};
    for (int page = 0; page < 5; ++page)
        QCOMPARE(tabs->tabText(page), headers[page]);
    QCOMPARE(tabs->currentIndex(), 0);

    QCOMPARE(h.get<QLabel>(u"Label4"_s)->font().pointSizeF(), 13.8);
    const QPixmap logo = h.get<QLabel>(u"Picture1"_s)->pixmap();
    QCOMPARE(logo.deviceIndependentSize().toSize(), QSize(189, 170));
    const QImage image = logo.toImage();
    QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2).alpha() > 0); // drawn, not blank

    for (const QString& name : {u"lstList1"_s, u"lstList2"_s}) {
        auto* list = h.get<QListView>(name);
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(list->uniformItemSizes());
    }
    QCOMPARE(h.get<QListView>(u"lstList1"_s)->selectionModel(), h.window.form().lstList1.selectionModel());
    QCOMPARE(h.get<QListView>(u"lstList2"_s)->selectionModel(), h.window.form().lstList2.selectionModel());
}

// The program builds the pages after the Start page once its window is on screen: before that
// only the Start page exists; after it, every page works as if it had been built at once.
void TestMainWindow::laterPagesAfterShow() {
    FakePlatform platform;
    MainWindow window(platform, DatabaseFolder, MainWindow::LaterPages::AfterShow);
    QVERIFY(window.findChild<QPushButton*>(u"cmdContinue1"_s));
    QCOMPARE(window.findChild<QCheckBox*>(u"Check1"_s), nullptr);
    QCOMPARE(window.findChild<QTabWidget*>(u"SSTab1"_s)->count(), 5);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.findChild<QCheckBox*>(u"Check53"_s));
    for (const char* name :
         {"cmdAdd1", "cmdClear1", "cmdEnd5", "cmdAddItem2", "cmdClear2", "cmdContinue5", "cmdSave1"})
        QVERIFY2(!window.findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled(), name);
    auto* tabs = window.findChild<QTabWidget*>(u"SSTab1"_s);
    QCOMPARE(tabs->currentIndex(), 0);
    QTest::mouseClick(window.findChild<QPushButton*>(u"cmdContinue1"_s), Qt::LeftButton);
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(tabs->currentWidget(), window.findChild<QCheckBox*>(u"Check1"_s)->parentWidget());
    for (int row = 1; row <= quenbury::events::EventCount; ++row)
        QVERIFY(window.findChild<QCheckBox*>(u"Check"_s + QString::number(row))->isChecked());
    QTest::mouseClick(window.findChild<QPushButton*>(u"cmdEnd2"_s), Qt::LeftButton);
    QCOMPARE(platform.endRequests, 1);
}

void TestMainWindow::startState_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    // One control a line: its name, page, whether it starts enabled, and its text in double quotes.
    QFile file(QStringLiteral(QUENBURY_TEST_DATA "/start-state.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        const QStringList fields = line.section(u'"', 0, 0).split(u' ', Qt::SkipEmptyParts);
        QString text = line.mid(line.indexOf(u'"') + 1);
        text.truncate(text.lastIndexOf(u'"'));
        text.replace(u"\\r\\n"_s, u"\r\n"_s)
            .replace(u"{database folder}"_s, QDir::toNativeSeparators(DatabaseFolder));
        QTest::newRow(qPrintable(fields.value(0)))
            << fields.value(1).toInt() << text << (fields.value(2) == u"1"_s);
    }
}

void TestMainWindow::startState() {
    QFETCH(int, page);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    Harness h;
    auto* control = h.get<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QVERIFY(h.tabs()->widget(page)->isAncestorOf(control));
    // A box is written when its page is in sight, so look at the page as a user would.
    h.tabs()->setCurrentIndex(page);
    QCOMPARE(shownText(control), text);
    QCOMPARE(control->isEnabled(), enabled);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->count(), 71);
        QCOMPARE(combo->itemText(70), u"98-St Lawrence River"_s);
    }
}

void TestMainWindow::eventRowGeometry_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("opening size") << QSize(561, 426);
    QTest::newRow("enlarged") << QSize(980, 700);
}

void TestMainWindow::eventRowGeometry() {
    QFETCH(QSize, size);
    Harness h;
    h.window.resize(size);
    h.chooseHeader(1);
    QVERIFY(h.click(u"cmdClearAll1"_s));
    QWidget* page = h.tabs()->widget(1);
    const auto top = [&](int row) { return h.box(row)->mapTo(page, QPoint(0, 0)).y(); };
    for (int row = 2; row <= 53; ++row) {
        if (row == 21 || row == 41)
            continue;
        QCOMPARE(top(row) - top(row - 1), 16);
    }
    QCOMPARE(top(21), top(1));
    QCOMPARE(top(41), top(8));
    QCOMPARE(top(41), top(28));

    for (int i = 0; i < quenbury::events::EventCount; ++i) {
        QCheckBox* box = h.box(i + 1);
        auto* label = h.get<QLabel>(u"Label2_"_s + QString::number(i));
        const QString caption = quenbury::events::EventCatalogue[std::size_t(i)].caption.toString();
        QCOMPARE(label->text(), caption);
        QCOMPARE(box->text(), QString());
        QCOMPARE(box->accessibleName(), caption);
        const QRect boxRect(box->mapTo(page, QPoint(0, 0)), box->size());
        const QRect labelRect(label->mapTo(page, QPoint(0, 0)), label->size());
        QVERIFY2(labelRect.left() > boxRect.right() && labelRect.left() - boxRect.right() < 8,
                 qPrintable(label->text()));
        QVERIFY(labelRect.top() <= boxRect.center().y() && boxRect.center().y() <= labelRect.bottom());
        QVERIFY2(labelRect.width() >= label->sizeHint().width(), qPrintable(label->text())); // not clipped
        QVERIFY(page->rect().contains(labelRect));
    }
    // The buttons stand above the third column.
    const QRect row41(h.box(41)->mapTo(page, QPoint(0, 0)), h.box(41)->size());
    for (const QString& name :
         {u"cmdSelectAll1"_s, u"cmdClearAll1"_s, u"cmdContinue2"_s, u"cmdBack0"_s, u"cmdEnd2"_s}) {
        auto* button = h.get<QPushButton>(name);
        const QRect rect(button->mapTo(page, QPoint(0, 0)), button->size());
        QVERIFY2(rect.bottom() < row41.top() && rect.left() >= row41.left(), qPrintable(name));
    }

    // Clicking a caption toggles its box, in the model too.
    QTest::mouseClick(h.get<QLabel>(u"Label2_44"_s), Qt::LeftButton);
    QVERIFY(h.box(45)->isChecked());
    QCOMPARE(h.tickedInModel(), 1);
    QVERIFY(h.window.form().Check[44]);
}

void TestMainWindow::databaseLinesShownWhole_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("lstList1") << 2;
    QTest::newRow("lstList2") << 3;
    QTest::newRow("rtxtTranslations1") << 3;
}

// At the opening size a view of database lines shows a state's own line, the one a Brisvane 100 file
// needs (19 of 20 lines are no longer), without cutting it.
void TestMainWindow::databaseLinesShownWhole() {
    QFETCH(int, page);
    Harness h;
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    h.chooseHeader(2);
    QVERIFY(h.click(u"cmbLocation4"_s));
    h.chooseHeader(page);
    auto* view = h.get<QListView>(QString::fromLatin1(QTest::currentDataTag()));
    const QModelIndex first = view->model()->index(0, 0);
    QCOMPARE(first.data().toString(), u"001000EntireArea*"_s);
    QVERIFY2(view->sizeHintForIndex(first).width() <= view->viewport()->width(),
             qPrintable(QString::number(view->viewport()->width())));
}

// Every button, the menu's End and the close box, each clicked as a user would, and what the window
// shows after it: the page, the ticked boxes (none at start; one is unticked before each click) and
// the End requests so far.
void TestMainWindow::clickWalk() {
    struct Step {
        QString click;
        int page;
        int ticked;
        int ends;
    };
    const Step walk[] = {
        {u"cmdEnd1"_s, 0, 0, 1},        {u"cmdContinue1"_s, 1, 53, 1}, {u"cmdClearAll1"_s, 1, 0, 1},
        {u"cmdSelectAll1"_s, 1, 53, 1}, {u"cmdBack0"_s, 0, 53, 1},     {u"cmdContinue1"_s, 1, 53, 1},
        {u"cmdEnd2"_s, 1, 52, 2},       {u"cmdContinue2"_s, 2, 53, 2}, {u"cmdBack1"_s, 1, 53, 2},
        {u"cmdContinue2"_s, 2, 53, 2},  {u"cmdEnd3"_s, 2, 52, 3},      {u"cmdContinue3"_s, 3, 53, 3},
        {u"cmdBack3"_s, 2, 53, 3},      {u"cmdContinue3"_s, 3, 53, 3}, {u"cmdBrisvane400"_s, 3, 52, 3},
        {u"cmdEnd4"_s, 3, 52, 4},       {u"cmdContinue5"_s, 4, 53, 4}, {u"cmdBack5"_s, 3, 53, 4},
        {u"cmdContinue4"_s, 4, 53, 4},  {u"cmdCreate1"_s, 4, 52, 4},   {u"cmdEnd5"_s, 4, 52, 5},
        {u"menu"_s, 4, 52, 6},          {u"close"_s, 4, 52, 7},
    };
    Harness h;
    for (const Step& step : walk) {
        h.box(45)->setChecked(false);
        if (step.click == u"menu"_s)
            h.get<QAction>(u"End"_s)->trigger();
        else if (step.click == u"close"_s)
            QVERIFY(h.window.close());
        else
            QVERIFY2(h.click(step.click), qPrintable(step.click));
        QCOMPARE(h.tabs()->currentIndex(), step.page);
        QCOMPARE(h.window.form().SSTab1, step.page);
        QCOMPARE(h.tickedBoxes(), step.ticked);
        QCOMPARE(h.tickedInModel(), step.ticked);
        QCOMPARE(h.platform.endRequests, step.ends);
    }
    QCOMPARE(h.platform.errors, QStringList());
}

void TestMainWindow::headerChoice() {
    Harness h;
    QVERIFY(h.click(u"cmdContinue1"_s));
    QTest::mouseClick(h.box(3), Qt::LeftButton);
    QTest::mouseClick(h.get<QLabel>(u"Label2_52"_s), Qt::LeftButton);
    QCOMPARE(h.tickedInModel(), 51);
    QVERIFY(h.click(u"cmdBack0"_s));
    h.chooseHeader(1);
    QCOMPARE(h.tabs()->currentIndex(), 1);
    QCOMPARE(h.tickedBoxes(), 53);

    // The access key of a header works too; choosing a header does none of a Continue's work.
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    QTest::keyClick(&h.window, Qt::Key_L, Qt::AltModifier);
    QCOMPARE(h.tabs()->currentIndex(), 2);
    QCOMPARE(h.window.form().SSTab1, 2);
    QCOMPARE(shownText(h.get<QPlainTextEdit>(u"txtText1"_s)), u"Text1"_s);
    QCOMPARE(h.window.wizard().variables().FileText, QString());
}

void TestMainWindow::doubleClick_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("target"); // a named widget, or "" for the page's background
    QTest::addColumn<int>("ticked");
    QTest::newRow("tab header") << 2 << u"tab"_s << 53;
    QTest::newRow("strip beside the tabs") << 2 << u"strip"_s << 53;
    QTest::newRow("Events page background") << 1 << QString() << 53;
    QTest::newRow("Create File page background") << 4 << QString() << 53;
    QTest::newRow("a label is a control") << 2 << u"lblLocation2"_s << 0;
    QTest::newRow("the logo is a control") << 0 << u"Picture1"_s << 0;
}

void TestMainWindow::doubleClick() {
    QFETCH(int, page);
    QFETCH(QString, target);
    QFETCH(int, ticked);
    Harness h;
    h.chooseHeader(page);
    for (int row = 1; row <= 53; ++row)
        h.box(row)->setChecked(false);
    QTabWidget* tabs = h.tabs();
    if (target == u"tab"_s) {
        QTest::mouseDClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(page).center());
    } else if (target == u"strip"_s) {
        const QRect bar = tabs->tabBar()->geometry();
        QVERIFY(bar.right() + 20 < tabs->width());
        QTest::mouseDClick(tabs, Qt::LeftButton, {}, QPoint(bar.right() + 10, bar.center().y()));
    } else if (target.isEmpty()) {
        QWidget* shown = tabs->widget(page);
        const QPoint corner(shown->width() - 3, shown->height() - 3);
        QCOMPARE(shown->childAt(corner), nullptr);
        QTest::mouseDClick(shown, Qt::LeftButton, {}, corner);
    } else {
        QTest::mouseDClick(h.get<QWidget>(target), Qt::LeftButton);
    }
    QCOMPARE(h.tickedBoxes(), ticked);
    QCOMPARE(h.tickedInModel(), ticked);
}

void TestMainWindow::typedText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("page");
    QTest::newRow("Locations box, Continue") << u"txtText1"_s << u"cmdContinue3"_s << 2;
    QTest::newRow("Current File box, Verify") << u"txtCreate2"_s << u"cmdCreate1"_s << 4;
}

void TestMainWindow::typedText() {
    QFETCH(QString, box);
    QFETCH(QString, button);
    QFETCH(int, page);
    Harness h;
    h.chooseHeader(page);
    auto* edit = h.get<QPlainTextEdit>(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, u"A*"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, u"B\u00A0C*"_s);                   // a no-break space: byte 0xA0 in the file
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier); // a soft line break
    QTest::keyClicks(edit, u"D*"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(h.click(button));
    const QString expected = u"A*\r\nB\u00A0C*\r\nD*\r\n"_s;
    QCOMPARE(h.window.wizard().variables().FileText, expected);
    if (box == u"txtText1"_s) {
        QCOMPARE(h.window.form().txtTranslations1, expected);
        auto* next = h.get<QPlainTextEdit>(u"txtTranslations1"_s);
        QCOMPARE(shownText(next), expected);
        QCOMPARE(next->blockCount(), 4); // three lines and the empty one after the last line end
    }
}

void TestMainWindow::unchangedBoxIsNotRewritten() {
    Harness h;
    QVERIFY(h.click(u"cmdContinue1"_s));
    QVERIFY(h.click(u"cmdContinue2"_s));
    auto* box = h.get<QPlainTextEdit>(u"txtText1"_s);
    const int revision = box->document()->revision();
    QVERIFY(h.click(u"cmdBack1"_s));
    QVERIFY(h.click(u"cmdSelectAll1"_s));
    QCOMPARE(box->document()->revision(), revision);
    QVERIFY(h.click(u"cmdContinue2"_s)); // the same text again: nothing to rewrite
    QCOMPARE(box->document()->revision(), revision);
    QVERIFY(!box->toPlainText().contains(u'\r'));
}

void TestMainWindow::fileFilter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("database dialog") << quenbury::wizard::Wizard::DatabaseFilter.toString()
                                     << u"Text files (*.txt);;All(*.*)"_s;
    QTest::newRow("save dialog") << quenbury::wizard::Wizard::SaveFilter.toString()
                                 << u"Text (*.txt);;All(*.*)"_s;
    QTest::newRow("description without pattern") << u"Lists|*.lst"_s << u"Lists (*.lst)"_s;
}

void TestMainWindow::fileFilter() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(quenbury::ui::qtFileFilter(filter), expected);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
